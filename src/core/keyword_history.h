#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/int_setting.h"
#include "core/profile.h"
#include "core/text_setting.h"

namespace quexa::core {

// The query history of a search wizard: a count "Num" and the entries "Key1" to "KeyNum".
// Entries keep the order in which they were first used; a query is added only when no entry
// equals it, letter case ignored. Clearing sets the count to 0 and leaves the texts to be
// overwritten later.
class KeywordHistory {
  public:
    // Reading stops here, so that a damaged count cannot stall the wizard.
    static constexpr std::int32_t kMaxEntries = 10000;

    static KeywordHistory Internet();
    static KeywordHistory Intranet();

    // The entries numbered 0 to Num that are not empty, as the wizard lists them.
    std::vector<std::string> Load(const Profile& profile) const;
    // Appends query as entry Num + 1 unless it is empty or already among shown, the
    // entries the wizard lists. Returns whether it was added.
    bool Add(Profile& profile, std::string_view query, const std::vector<std::string>& shown) const;
    void Clear(Profile& profile) const;

  private:
    KeywordHistory(const IntSetting& count, const TextSetting& entry);
    std::int32_t Count(const Profile& profile) const;

    const IntSetting* count_;
    const TextSetting* entry_;
};

}  // namespace quexa::core
