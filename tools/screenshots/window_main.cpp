// Renders the main window into PNG files: at first start, during a search of the demo farm with
// the engine bar, after the verification, and with the result view's context menu and dialogs.
#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "demo_farm/demo_farm.h"
#include "demo_farm/demo_home.h"
#include "shot_writer.h"
#include "ui/main_frame.h"
#include "ui/result_list_view.h"
#include "ui/result_view.h"

namespace quexa::screenshots {
namespace {

namespace settings = core::settings;
using tasks::Command;

// Runs the event loop until the condition holds; false when the limit passed first.
bool RunUntil(const std::function<bool()>& done, int limitMilliseconds = 30000) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > limitMilliseconds) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A window over a home folder of its own and an empty profile, searching the demo farm.
class DemoWindow {
  public:
    DemoWindow() : farm_(demo::DemoFarm::Options{}) {
        std::string error;
        const std::string home = home_.path().toStdString();
        if (!farm_.Start(0, &error) || !demo::WriteDemoHome(home, farm_.port(), &error)) {
            std::fprintf(stderr, "demo farm: %s\n", error.c_str());
        }
        settings::kLastCategory.Write(profile_, "Demo");
        settings::kInternetKeywords.Write(profile_, "solar kite");
        settings::kVerifyTimeout.Write(profile_, 15);
        settings::kDeleteUnreachable.Write(profile_, 0);
        frame_ = std::make_unique<ui::MainFrame>(profile_, core::AppFolders{home, home});
    }
    ~DemoWindow() {
        if (frame_->Control().state().taskRunning) {
            frame_->Control().StopTask();
        }
        RunUntil([this] { return frame_->Control().Idle(); });
        frame_.reset();
        farm_.Stop();
    }

    ui::MainFrame& Frame() { return *frame_; }
    demo::DemoFarm& Farm() { return farm_; }

  private:
    QTemporaryDir home_;
    core::MemoryProfile profile_;
    demo::DemoFarm farm_;
    std::unique_ptr<ui::MainFrame> frame_;
};

// Clicks the first button of every message box that shows (the closing note).
void AnswerBoxes() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box != nullptr && box->isVisible() && !box->buttons().isEmpty()) {
            box->buttons().constFirst()->click();
        }
    }
}

// Writes the dialog the command opens once it shows, then closes it.
void WriteDialogOf(ShotWriter& writer, ui::MainFrame& frame, Command command, const QString& name) {
    bool written = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr || written) {
            return;
        }
        written = true;
        writer.Write(*dialog, name);
        dialog->close();
    });
    poll.start(50);
    frame.View().Run(command);
    if (!written) {
        std::fprintf(stderr, "%s: no dialog showed\n", qPrintable(name));
    }
}

// The context menu of the current row, opened as the Menu key opens it, with the dialogs of
// two of its commands.
void ContextMenuAndDialogs(ShotWriter& writer, ui::MainFrame& frame) {
    frame.View().ListView().SetCurrentRow(2);
    QWidget* rows = frame.View().ListView().viewport();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), rows->mapToGlobal(QPoint()));
    QApplication::sendEvent(rows, &menuKey);
    writer.WriteScreen(QStringLiteral("window_context_menu"));
    if (QWidget* menu = QApplication::activePopupWidget()) {
        menu->close();
    }
    WriteDialogOf(writer, frame, Command::Summarize, QStringLiteral("dialog_summarize"));
    WriteDialogOf(writer, frame, Command::EditItem, QStringLiteral("dialog_edit_item"));
}

// The window as a first start shows it, with whatever opens over it.
void FirstStart(ShotWriter& writer) {
    DemoWindow window;
    window.Frame().show();
    writer.WriteScreen(QStringLiteral("window_first_start"));
}

// A search half way, the engine bar showing each engine's progress; then the list verified.
void SearchAndVerification(ShotWriter& writer) {
    DemoWindow window;
    ui::MainFrame& frame = window.Frame();
    // The first show places the window as the profile says; the shots want more room.
    frame.show();
    frame.resize(1100, 800);
    window.Farm().SetEngineLatency(std::chrono::milliseconds(400));
    frame.NewSearch(tasks::SearchMode::Internet);
    if (!RunUntil([&frame] { return frame.List().Count() >= 12; })) {
        std::fprintf(stderr, "the demo search found nothing\n");
    }
    writer.Write(frame, QStringLiteral("window_demo_search"));

    window.Farm().SetEngineLatency(std::chrono::milliseconds(0));
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, &AnswerBoxes);
    boxes.start(50);
    RunUntil([&frame] { return frame.Control().Idle(); });
    frame.Run(Command::VerifyResult);
    RunUntil([&frame] { return frame.Control().Idle(); });
    writer.Write(frame, QStringLiteral("window_verified"));
    ContextMenuAndDialogs(writer, frame);
}

}  // namespace
}  // namespace quexa::screenshots

int main(int argc, char** argv) {
    return quexa::screenshots::ShotWriter::RunProgram(
        argc, argv, [](quexa::screenshots::ShotWriter& writer) {
            quexa::screenshots::FirstStart(writer);
            quexa::screenshots::SearchAndVerification(writer);
        });
}
