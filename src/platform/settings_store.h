#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/profile.h"

namespace quexa::platform {

// The profile kept by QSettings: by default ~/.config/Morvane/Quexa.conf, or any INI file.
// Sections become nested groups ("System\Setting" is group Setting inside group System);
// names written in another letter case find the existing group or key, as the registry did.
// Every write is saved at once; a write that cannot be saved is dropped from memory too, so
// the next read sees what the file holds. A file that is neither regular nor missing (a device
// node, a FIFO) is never read or replaced: reads give the defaults, writes fail, and Refusal
// says why.
class SettingsStore : public core::Profile {
  public:
    // Organisation and application of the default settings.
    static constexpr std::string_view kOrganisation = "Morvane";
    static constexpr std::string_view kApplication = "Quexa";

    // An empty file means the user's default settings.
    explicit SettingsStore(std::string file = {});
    ~SettingsStore() override;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The file named on the command line, else QUEXA_SETTINGS, else empty (the default).
    static std::string ChooseFile(std::string_view commandLineFile);

    std::int32_t GetInt(std::string_view section, std::string_view key,
                        std::int32_t defaultValue) const override;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue = {}) const override;
    bool WriteInt(std::string_view section, std::string_view key, std::int32_t value) override;
    bool WriteString(std::string_view section, std::optional<std::string_view> key,
                     std::optional<std::string_view> value) override;

    // The keys stored directly in a section, in the file's spelling.
    std::vector<std::string> KeysOf(std::string_view section) const;
    std::string fileName() const;
    // Why the file is not used, or nothing when it is.
    std::optional<std::string> Refusal() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace quexa::platform
