#include "cli/engine_command.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/file_text.h"
#include "engines/engine_record.h"
#include "engines/engine_source.h"
#include "files/engine_block.h"

namespace quexa::cli {

namespace {

struct EngineOptions {
    std::string source;
    std::string output;
    std::string file;
    bool json = false;
};

int Pack(const EngineOptions& options) {
    const auto text = ReadFileText(options.source);
    if (!text) {
        std::cerr << "Error: can't read " << options.source << "\n";
        return 1;
    }
    engines::EngineRecord record;
    std::string error;
    if (!engines::EngineSource::Parse(*text, record, error)) {
        std::cerr << "Error: " << options.source << ": " << error << "\n";
        return 1;
    }
    if (!files::WriteEngineBlock(options.output, record.bytes())) {
        std::cerr << "Error: can't write " << options.output << "\n";
        return 1;
    }
    return 0;
}

int Show(const EngineOptions& options) {
    engines::EngineRecord record;
    if (!engines::ReadEngineRecord(options.file, record)) {
        std::cerr << "Error: " << options.file << " is not a readable engine file\n";
        return 1;
    }
    using Record = engines::EngineRecord;
    if (!options.json) {
        std::cout << engines::EngineSource::Format(record);
        return 0;
    }
    const nlohmann::ordered_json object = {
        {"name", record.Text(Record::kName)},
        {"website", record.Text(Record::kWebSite)},
        {"url_rules", record.Text(Record::kUrlRules)},
        {"item_templates", record.Text(Record::kItemTemplates)},
        {"next_page_templates", record.Text(Record::kNextPageTemplates)},
        {"next_page_root", record.Text(Record::kNextPageRoot)},
        {"search_url", record.Text(Record::kSearchUrl)},
    };
    std::cout << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << "\n";
    return 0;
}

}  // namespace

void AddEngineCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<EngineOptions>();
    CLI::App* engine = app.add_subcommand("engine", "Pack and show engine files");
    engine->require_subcommand(1);

    CLI::App* pack =
        engine->add_subcommand("pack", "Pack a readable engine source into an engine file");
    pack->add_option("SRC", options->source, "Engine source (key=value lines)")->required();
    pack->add_option("OUT", options->output, "Engine file to write (.qzf)")->required();
    pack->callback([options, &context] { context.exitCode = Pack(*options); });

    CLI::App* show = engine->add_subcommand("show", "Show the fields of an engine file");
    show->add_option("FILE", options->file, "Engine file (.qzf)")->required();
    show->add_flag("--json", options->json, "Print one JSON object");
    show->callback([options, &context] { context.exitCode = Show(*options); });
}

}  // namespace quexa::cli
