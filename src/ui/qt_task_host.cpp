#include "ui/qt_task_host.h"

#include <QProgressBar>
#include <QString>

#include <algorithm>
#include <limits>
#include <utility>

#include "core/prompter.h"
#include "platform/nm_dial_up_connections.h"
#include "ui/busy_animation.h"
#include "ui/countdown_dialog.h"
#include "ui/engine_bar.h"
#include "ui/engine_bar_model.h"
#include "ui/frame_status_bar.h"
#include "ui/hang_up_dialog.h"
#include "ui/qt_prompter.h"
#include "ui/wait_window.h"
#include "ui/wizards/network_resource_dialog.h"

namespace quexa::ui {
namespace {

constexpr std::string_view kClosingNote = "All task have finished!";

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int ClampToInt(std::size_t value) {
    return static_cast<int>(std::min<std::size_t>(value, std::numeric_limits<int>::max()));
}

}  // namespace

QtTaskHost::QtTaskHost(Parts parts) : parts_(std::move(parts)) {}

void QtTaskHost::AddEngine(std::string_view name, int expected) {
    parts_.engineBar.Model().Add(name, expected);
}

void QtTaskHost::SetEngineState(std::string_view name, tasks::EngineState state) {
    parts_.engineBar.Model().SetState(name, state);
}

void QtTaskHost::StepEngine(std::string_view name) {
    parts_.engineBar.Model().Step(name);
}

void QtTaskHost::ClearEngines() {
    parts_.engineBar.Model().Clear();
}

void QtTaskHost::ShowEngineBar(bool shown) {
    if (parts_.showEngineBar) {
        parts_.showEngineBar(shown);
    }
}

void QtTaskHost::SetStatusText(std::string_view text) {
    parts_.statusBar.SetMessage(FromUtf8(text));
}

void QtTaskHost::SetProgressRange(std::size_t total) {
    QProgressBar& bar = parts_.statusBar.Progress(kTaskProgressPane);
    bar.setRange(0, std::max(1, ClampToInt(total)));
    bar.setValue(0);
}

void QtTaskHost::StepProgress() {
    QProgressBar& bar = parts_.statusBar.Progress(kTaskProgressPane);
    bar.setValue(std::min(bar.value() + 1, bar.maximum()));
}

void QtTaskHost::ShowProgress(bool shown) {
    parts_.statusBar.Progress(kTaskProgressPane).setVisible(shown);
}

void QtTaskHost::SetBusy(bool busy) {
    busy_ = busy;
    parts_.busy.SetRunning(busy);
    RefreshFastInfo();
}

void QtTaskHost::RefreshFastInfo() {
    if (parts_.stateChanged) {
        parts_.stateChanged();
    }
}

void QtTaskHost::ScrollToTop(std::size_t row) {
    if (parts_.scrollToTop) {
        parts_.scrollToTop(row);
    }
}

void QtTaskHost::OpenWait(std::string_view text) {
    core::WaitState::Settings settings;
    settings.text = std::string(text);
    // Stopping can't be cancelled: the wait gives up by itself after five seconds.
    settings.showCancel = false;
    settings.showCounter = true;
    parts_.wait.Open(std::move(settings));
}

void QtTaskHost::SetWaitProgress(int position, int total) {
    parts_.wait.SetProgress(static_cast<std::uint64_t>(std::max(position, 0)),
                            static_cast<std::uint64_t>(std::max(total, 0)));
}

void QtTaskHost::CloseWait() {
    parts_.wait.Close();
}

void QtTaskHost::ShowError(std::string_view text) {
    parts_.prompter.Tell(core::Prompter::Title::Error, text);
}

bool QtTaskHost::RunAutoVerifyCountdown() {
    return CountdownDialog::Run(parts_.dialogParent, kCountdownSeconds);
}

void QtTaskHost::ShowHangUp() {
    platform::NmDialUpConnections connections;
    HangUpDialog::Run(connections, parts_.dialogParent);
}

void QtTaskHost::ShowClosingNote() {
    parts_.prompter.Tell(core::Prompter::Title::Note, kClosingNote);
}

std::vector<std::string> QtTaskHost::ConfirmNetworkResources(
    const std::vector<std::string>& shares) {
    return NetworkResourceDialog::Confirm(shares, parts_.dialogParent);
}

}  // namespace quexa::ui
