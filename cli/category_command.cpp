#include "cli/category_command.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/file_text.h"
#include "engines/category_file.h"
#include "engines/category_source.h"

namespace quexa::cli {

namespace {

struct CategoryOptions {
    std::string source;
    std::string output;
    std::string file;
    bool json = false;
};

int Pack(const CategoryOptions& options) {
    const auto text = ReadFileText(options.source);
    if (!text) {
        std::cerr << "Error: can't read " << options.source << "\n";
        return 1;
    }
    std::vector<engines::CategoryRecord> records;
    std::string error;
    if (!engines::CategorySource::Parse(*text, records, error)) {
        std::cerr << "Error: " << options.source << ": " << error << "\n";
        return 1;
    }
    if (!engines::WriteCategoryFile(options.output, records)) {
        std::cerr << "Error: can't write " << options.output << "\n";
        return 1;
    }
    return 0;
}

// Every record the header counts; a file cut short ends the list where its records end.
bool ReadRecords(const std::string& path, std::vector<engines::CategoryRecord>& records) {
    engines::CategoryFile file;
    std::int32_t count = 0;
    if (!file.Open(path) || !file.ReadHeader(count)) {
        return false;
    }
    engines::CategoryRecord record;
    for (std::int32_t i = 0; i < count && file.ReadRecord(i, record); ++i) {
        records.push_back(record);
    }
    return true;
}

int Show(const CategoryOptions& options) {
    std::vector<engines::CategoryRecord> records;
    if (!ReadRecords(options.file, records)) {
        std::cerr << "Error: " << options.file << " is not a readable category file\n";
        return 1;
    }
    if (!options.json) {
        std::cout << engines::CategorySource::Format(records);
        return 0;
    }
    for (const engines::CategoryRecord& record : records) {
        const nlohmann::ordered_json object = {
            {"name", record.name},
            {"icon", record.iconFile},
            {"directory", record.directory},
            {"note", record.note},
        };
        std::cout << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << "\n";
    }
    return 0;
}

}  // namespace

void AddCategoryCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<CategoryOptions>();
    CLI::App* category = app.add_subcommand("category", "Pack and show the category file");
    category->require_subcommand(1);

    CLI::App* pack =
        category->add_subcommand("pack", "Pack a readable category source into a category file");
    pack->add_option("SRC", options->source, "Category source ([category] and key=value lines)")
        ->required();
    pack->add_option("OUT", options->output, "Category file to write (.qcf)")->required();
    pack->callback([options, &context] { context.exitCode = Pack(*options); });

    CLI::App* show = category->add_subcommand("show", "Show the records of a category file");
    show->add_option("FILE", options->file, "Category file (.qcf)")->required();
    show->add_flag("--json", options->json, "JSON Lines: one object per category");
    show->callback([options, &context] { context.exitCode = Show(*options); });
}

}  // namespace quexa::cli
