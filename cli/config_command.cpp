#include "cli/config_command.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/settings_loader.h"
#include "core/setting_access.h"
#include "core/settings_table.h"

namespace quexa::cli {
namespace {

struct ConfigOptions {
    std::string section;
    std::string key;
    std::string value;
    bool json = false;
};

nlohmann::ordered_json ToJson(const core::SettingRow& row) {
    const auto typed = [&](const std::string& text) -> nlohmann::ordered_json {
        if (row.integer) {
            return std::stoll(text);
        }
        return text;
    };
    return {{"section", row.section},
            {"key", row.key},
            {"type", row.integer ? "int" : "string"},
            {"value", row.stored ? typed(row.value) : nullptr},
            {"default", typed(row.defaultValue)}};
}

// Text is quoted so that blanks at its ends show.
std::string Shown(const core::SettingRow& row, const std::string& text) {
    return row.integer ? text : nlohmann::json(text).dump();
}

std::optional<core::SettingMatch> Lookup(const ConfigOptions& options) {
    auto match = core::SettingsTable::Find(options.section, options.key);
    if (!match) {
        std::cerr << "Error: unknown setting \"" << options.section << "\" / \"" << options.key
                  << "\" (quexa-cli config list shows them all)\n";
    }
    return match;
}

int Get(const ConfigOptions& options, const CommandContext& context) {
    const auto match = Lookup(options);
    if (!match) {
        return 1;
    }
    const core::SettingRow row = core::SettingAccess::Read(*OpenProfile(context), *match);
    if (options.json) {
        std::cout << ToJson(row).dump() << "\n";
    } else {
        std::cout << row.value << "\n";
    }
    return 0;
}

int Set(const ConfigOptions& options, const CommandContext& context) {
    const auto match = Lookup(options);
    if (!match) {
        return 1;
    }
    const auto profile = OpenProfile(context);
    const std::string problem = core::SettingAccess::Write(*profile, *match, options.value);
    if (!problem.empty()) {
        std::cerr << "Error: " << problem << "\n";
        return 1;
    }
    return 0;
}

void PrintTable(const std::vector<core::SettingRow>& rows) {
    const std::vector<std::string> headings{"SECTION", "KEY", "TYPE", "VALUE", "DEFAULT"};
    std::vector<std::vector<std::string>> cells{headings};
    for (const auto& row : rows) {
        cells.push_back({row.section, row.key, row.integer ? "int" : "string",
                         row.stored ? Shown(row, row.value) : "-", Shown(row, row.defaultValue)});
    }
    std::vector<std::size_t> widths(headings.size(), 0);
    for (const auto& line : cells) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            widths[i] = std::max(widths[i], line[i].size());
        }
    }
    for (const auto& line : cells) {
        std::string text;
        for (std::size_t i = 0; i < line.size(); ++i) {
            text += line[i];
            if (i + 1 < line.size()) {
                text += std::string(widths[i] - line[i].size() + 2, ' ');
            }
        }
        std::cout << text << "\n";
    }
}

int List(const ConfigOptions& options, const CommandContext& context) {
    const auto profile = OpenProfile(context);
    const auto rows = core::SettingAccess::List(
        *profile, [&](std::string_view section) { return profile->KeysOf(section); });
    if (!options.json) {
        PrintTable(rows);
        return 0;
    }
    for (const auto& row : rows) {
        std::cout << ToJson(row).dump() << "\n";
    }
    return 0;
}

}  // namespace

void AddConfigCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ConfigOptions>();
    CLI::App* config = app.add_subcommand("config", "Show and change the settings");
    config->require_subcommand(1);

    CLI::App* get = config->add_subcommand("get", "Print the value of one setting");
    get->add_option("SECTION", options->section, "Section, for example 'System\\Proxy'")
        ->required();
    get->add_option("KEY", options->key, "Key, for example Server")->required();
    get->add_flag("--json", options->json, "Print a JSON object with the type and default");
    get->callback([options, &context] { context.exitCode = Get(*options, context); });

    CLI::App* set = config->add_subcommand("set", "Store the value of one setting");
    set->add_option("SECTION", options->section, "Section, for example 'System\\Proxy'")
        ->required();
    set->add_option("KEY", options->key, "Key, for example Server")->required();
    set->add_option("VALUE", options->value, "New value (a whole number for int settings)")
        ->required();
    set->callback([options, &context] { context.exitCode = Set(*options, context); });

    CLI::App* list = config->add_subcommand("list", "Print every setting with value and default");
    list->add_flag("--json", options->json, "Print one JSON object per line");
    list->callback([options, &context] { context.exitCode = List(*options, context); });
}

}  // namespace quexa::cli
