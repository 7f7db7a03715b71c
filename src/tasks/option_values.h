#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/int_setting.h"
#include "core/profile.h"
#include "core/text_setting.h"

namespace quexa::tasks {

// The values one page of the Options sheet shows, each bound to its setting: loaded from the
// profile, changed through the page's controls, stored only by the page's Apply.
class OptionValues {
  public:
    OptionValues(std::vector<const core::IntSetting*> ints,
                 std::vector<const core::TextSetting*> texts);

    void Load(const core::Profile& profile);
    // All values but the one text named in except, which a page stores by a rule of its own.
    void Store(core::Profile& profile, const core::TextSetting* except = nullptr) const;
    // Every value to the default of its setting.
    void SetDefaults();

    std::int32_t Int(const core::IntSetting& setting) const;
    bool Flag(const core::IntSetting& setting) const { return Int(setting) != 0; }
    void SetInt(const core::IntSetting& setting, std::int32_t value);
    const std::string& Text(const core::TextSetting& setting) const;
    void SetText(const core::TextSetting& setting, std::string value);

  private:
    std::vector<std::pair<const core::IntSetting*, std::int32_t>> ints_;
    std::vector<std::pair<const core::TextSetting*, std::string>> texts_;
};

}  // namespace quexa::tasks
