#include "cli/fetch_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/http_settings_loader.h"
#include "core/settings_table.h"
#include "web/http_session.h"
#include "web/page_buffer.h"

namespace quexa::cli {

namespace {

struct FetchOptions {
    std::string url;
    std::optional<int> timeoutSeconds;
};

// A page cut short is still printed, but the person must know it is not the whole page.
void SayHowItEnded(const web::HttpSession& session, int timeoutSeconds) {
    switch (session.LastPageEnd()) {
        case web::HttpSession::PageEnd::Capped:
            std::cerr << "Note: the page was cut at the size cap of "
                      << web::PageBuffer::kDefaultCap / (1024 * 1024)
                      << " MiB; the rest was not read\n";
            return;
        case web::HttpSession::PageEnd::Stalled:
            std::cerr << "Note: the page stopped: nothing came for " << timeoutSeconds
                      << " s (the time-out); printed what came before\n";
            return;
        case web::HttpSession::PageEnd::Broken:
            std::cerr << "Note: the connection broke before the end of the page; printed what "
                         "came before\n";
            return;
        case web::HttpSession::PageEnd::Complete:
        case web::HttpSession::PageEnd::Stopped:
            return;
    }
}

int Fetch(const FetchOptions& options, const CommandContext& context) {
    const web::HttpSettings settings =
        LoadHttpSettings(context, core::settings::kSearchTimeout, options.timeoutSeconds);
    const int timeout = settings.timeoutSeconds;
    web::HttpSession session(settings);
    const auto page = session.FetchPage(options.url);
    if (!page) {
        std::cerr << "Error: can't fetch " << options.url << ": " << session.LastErrorText()
                  << "\n";
        return 1;
    }
    std::cout.write(page->data(), static_cast<std::streamsize>(page->size()));
    std::cout.flush();
    SayHowItEnded(session, timeout);
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
