#include "cli/show_command.h"

#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/file_session.h"
#include "cli/item_printer.h"
#include "cli/path_error.h"
#include "core/text.h"
#include "files/result_file.h"

namespace quexa::cli {
namespace {

struct ShowOptions {
    std::string file;
    std::optional<std::string> password;
    bool json = false;
};

void PrintHeader(const files::ResultFileHeader& header, bool json, std::ostream& out) {
    const nlohmann::ordered_json object = {
        {"mode", std::string(1, header.mode)},
        {"keywords", header.keywords},
        {"target", header.searchTarget},
        {"note", header.note},
        {"author", header.author},
        {"count", header.count},
        {"protected", header.IsProtected()},
    };
    if (json) {
        out << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << "\n";
        return;
    }
    for (const auto& [key, value] : object.items()) {
        out << key << ": "
            << (value.is_string()
                    ? core::EscapeControls(value.get<std::string>())
                    : value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace))
            << "\n";
    }
    out << "\n";
}

int Show(const ShowOptions& options, const CommandContext& context) {
    FileSession session(context, options.password);
    if (!session.document().Open(options.file)) {
        SayPathProblem(options.file);
        return 1;
    }
    const std::optional<files::ResultFileHeader> header = files::ReadResultFileHeader(options.file);
    if (!header) {
        return 1;
    }
    PrintHeader(*header, options.json, std::cout);
    PrintItems(session.list(), options.json, std::cout);
    return 0;
}

}  // namespace

void AddShowCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ShowOptions>();
    CLI::App* show = app.add_subcommand("show", "Print the header and the items of a result file");
    show->footer(
        "The header comes first (mode, keywords, target, note, author, count, protected), then "
        "the items as search prints them. Items whose location is listed already are skipped "
        "as the settings say (ImportADE). With --json: one header object, then one object per "
        "item.");
    show->add_option("FILE", options->file, "Result file (.qzr)")->required();
    show->add_option("--password", options->password, "Password of a protected file");
    show->add_flag("--json", options->json, "JSON Lines: the header object, then the items");
    show->callback([options, &context] { context.exitCode = Show(*options, context); });
}

}  // namespace quexa::cli
