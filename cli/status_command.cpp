#include "cli/status_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/http_settings_loader.h"
#include "core/settings_table.h"
#include "core/status_code.h"
#include "web/http_session.h"
#include "web/verification_result.h"

namespace quexa::cli {

namespace {

struct StatusOptions {
    std::string url;
    std::optional<int> timeoutSeconds;
};

// A location that does not answer is a result too (Unreachable), not an error of the command.
int Status(const StatusOptions& options, const CommandContext& context) {
    web::HttpSession session(
        LoadHttpSettings(context, core::settings::kVerifyTimeout, options.timeoutSeconds));
    if (!session.QueryRawHeaders(options.url)) {
        std::cerr << "Note: no answer from " << options.url << ": " << session.LastErrorText()
                  << "\n";
    }
    const int code = session.StatusCode();
    std::cout << code << " " << core::StatusText(web::VerificationResult(code)) << "\n";
    return std::cout ? 0 : 1;
}

}  // namespace

void AddStatusCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<StatusOptions>();
    CLI::App* status =
        app.add_subcommand("status", "Print a location's status code and its verification result");
    status->add_option("url", options->url, "Location to ask (http or https)")->required();
    status
        ->add_option("--timeout", options->timeoutSeconds,
                     "Time-out in seconds (default: the verify time-out of the settings)")
        ->check(CLI::Range(1, 3600));
    status->callback([options, &context] { context.exitCode = Status(*options, context); });
}

}  // namespace quexa::cli
