#include "cli/console_task_host.h"

#include "core/text.h"

namespace quexa::cli {
namespace {

// Long locations are cut so that the line fits a common terminal.
constexpr std::size_t kStatusTextLimit = 60;

}  // namespace

std::string ConsoleTaskHost::SearchProgressText(const tasks::EngineProgressList& engines) {
    std::size_t done = 0;
    std::size_t running = 0;
    long items = 0;
    for (const tasks::EngineProgressList::Row& row : engines.rows()) {
        done += row.state == tasks::EngineState::Finished ? 1 : 0;
        running += row.state == tasks::EngineState::Searching ? 1 : 0;
        items += row.Result();
    }
    return "Engines " + std::to_string(done) + "/" + std::to_string(engines.rows().size()) +
           " done, " + std::to_string(running) + " running, " + std::to_string(items) + " items";
}

void ConsoleTaskHost::AddEngine(std::string_view name, int expected) {
    engines_.Add(name, expected);
    ShowSearchProgress();
}

void ConsoleTaskHost::SetEngineState(std::string_view name, tasks::EngineState state) {
    engines_.SetState(name, state);
    ShowSearchProgress();
}

void ConsoleTaskHost::StepEngine(std::string_view name) {
    engines_.Step(name);
    ShowSearchProgress();
}

void ConsoleTaskHost::ClearEngines() {
    engines_.Clear();
}

void ConsoleTaskHost::ShowEngineBar(bool shown) {
    if (!shown) {
        line_.Clear();
    }
}

void ConsoleTaskHost::SetStatusText(std::string_view text) {
    statusText_ = core::BoundedCopy(text, kStatusTextLimit);
    ShowVerifyProgress();
}

void ConsoleTaskHost::SetProgressRange(std::size_t total) {
    verifyTotal_ = total;
    verifyDone_ = 0;
}

void ConsoleTaskHost::StepProgress() {
    ++verifyDone_;
    ShowVerifyProgress();
}

void ConsoleTaskHost::ShowProgress(bool shown) {
    if (!shown) {
        line_.Clear();
    }
}

void ConsoleTaskHost::OpenWait(std::string_view text) {
    line_.Message(text);
}

void ConsoleTaskHost::SetWaitProgress(int position, int total) {
    line_.Show("Workers ended " + std::to_string(position) + "/" + std::to_string(total));
}

void ConsoleTaskHost::CloseWait() {
    line_.Clear();
}

void ConsoleTaskHost::ShowError(std::string_view text) {
    errorShown_ = true;
    line_.Message("Error: " + std::string(text));
}

void ConsoleTaskHost::ShowHangUp() {
    line_.Message("Note: no dial-up connection is hung up from the command line");
}

void ConsoleTaskHost::ShowClosingNote() {
    line_.Message("Note: All task have finished!");
}

void ConsoleTaskHost::ShowSearchProgress() {
    if (!engines_.rows().empty()) {
        line_.Show(SearchProgressText(engines_));
    }
}

void ConsoleTaskHost::ShowVerifyProgress() {
    line_.Show("Verified " + std::to_string(verifyDone_) + "/" + std::to_string(verifyTotal_) +
               "  " + statusText_);
}

}  // namespace quexa::cli
