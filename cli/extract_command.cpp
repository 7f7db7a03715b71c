#include "cli/extract_command.h"

#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/file_text.h"
#include "core/page_charset.h"
#include "core/text.h"
#include "engines/engine_definition.h"
#include "engines/engine_record.h"
#include "engines/page_extractor.h"

namespace quexa::cli {

namespace {

struct ExtractOptions {
    std::string engine;
    std::string page;
    bool json = false;
};

std::string Json(const nlohmann::ordered_json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void PrintTable(const std::vector<engines::ExtractedItem>& items, const std::string& nextPage) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::cout << std::setw(4) << i + 1 << "  " << core::EscapeControls(items[i].title) << "\n"
                  << "      " << core::EscapeControls(items[i].location) << "\n";
        if (!items[i].preview.empty()) {
            std::cout << "      " << core::EscapeControls(items[i].preview) << "\n";
        }
    }
    std::cout << items.size() << " items; next page: "
              << (nextPage.empty() ? "none" : core::EscapeControls(nextPage)) << "\n";
}

int Extract(const ExtractOptions& options) {
    engines::EngineRecord record;
    if (!engines::ReadEngineRecord(options.engine, record)) {
        std::cerr << "Error: " << options.engine << " is not a readable engine file\n";
        return 1;
    }
    auto page = ReadFileText(options.page);
    if (!page) {
        std::cerr << "Error: can't read " << options.page << "\n";
        return 1;
    }
    // A page saved from a site keeps the meta tag that names its charset.
    if (auto utf8 = core::PageCharset::ToUtf8(*page, core::PageCharset::FromMeta(*page))) {
        page = std::move(utf8);
    }
    const auto definition = engines::BuildEngineDefinition(record, "", -1);
    engines::PageExtractor extractor(*definition);
    const std::vector<engines::ExtractedItem> items = extractor.ExtractItems(std::move(*page));
    const std::string nextPage = extractor.NextPageUrl();
    if (!options.json) {
        PrintTable(items, nextPage);
        return 0;
    }
    for (const engines::ExtractedItem& item : items) {
        std::cout << Json({{"title", item.title},
                           {"location", item.location},
                           {"preview", item.preview}})
                  << "\n";
    }
    std::cout << Json({{"next_page", nextPage}}) << "\n";
    return 0;
}

}  // namespace

void AddExtractCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ExtractOptions>();
    CLI::App* extract =
        app.add_subcommand("extract", "Show what a search worker takes from one result page");
    extract->add_option("--engine", options->engine, "Engine file (.qzf)")->required();
    extract->add_option("--page", options->page, "Saved result page")->required();
    extract->add_flag("--json", options->json, "JSON Lines: one object per item, then next_page");
    extract->callback([options, &context] { context.exitCode = Extract(*options); });
}

}  // namespace quexa::cli
