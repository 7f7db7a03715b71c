#pragma once

#include <map>
#include <mutex>
#include <string>

#include "core/profile.h"

namespace quexa::core {

// A profile held in memory, for tests and for runs that must not touch the user's settings.
// It follows the same rules as the settings file: text values, names matched without
// regard to case, sections nested by backslashes.
class MemoryProfile : public Profile {
  public:
    std::int32_t GetInt(std::string_view section, std::string_view key,
                        std::int32_t defaultValue) const override;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue = {}) const override;
    bool WriteInt(std::string_view section, std::string_view key, std::int32_t value) override;
    bool WriteString(std::string_view section, std::optional<std::string_view> key,
                     std::optional<std::string_view> value) override;

    // While false every write fails, as on a read-only settings file.
    void SetWritable(bool writable);
    std::size_t size() const;

  private:
    mutable std::mutex mutex_;
    std::map<std::string, std::string> values_;  // normalised "section\nkey" -> text
    bool writable_ = true;
};

}  // namespace quexa::core
