#include "cli/fetch_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/http_settings_loader.h"
#include "core/settings_table.h"
#include "web/http_session.h"

namespace quexa::cli {

namespace {

struct FetchOptions {
    std::string url;
    std::optional<int> timeoutSeconds;
};

int Fetch(const FetchOptions& options, const CommandContext& context) {
    web::HttpSession session(
        LoadHttpSettings(context, core::settings::kSearchTimeout, options.timeoutSeconds));
    const auto page = session.FetchPage(options.url);
    if (!page) {
        std::cerr << "Error: can't fetch " << options.url << ": " << session.LastErrorText()
                  << "\n";
        return 1;
    }
    std::cout.write(page->data(), static_cast<std::streamsize>(page->size()));
    std::cout.flush();
    return std::cout ? 0 : 1;
}

}  // namespace

void AddFetchCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<FetchOptions>();
    CLI::App* fetch = app.add_subcommand("fetch", "Print a page as a search worker gets it");
    fetch->add_option("url", options->url, "Location to fetch (http or https)")->required();
    fetch
        ->add_option("--timeout", options->timeoutSeconds,
                     "Time-out in seconds (default: the search time-out of the settings)")
        ->check(CLI::Range(1, 3600));
    fetch->callback([options, &context] { context.exitCode = Fetch(*options, context); });
}

}  // namespace quexa::cli
