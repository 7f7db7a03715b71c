#include "desktop_shots.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <memory>

#include "shot_writer.h"
#include "ui/hang_up_dialog.h"
#include "ui/system_tray_icon.h"
#include "ui/tray_notifier.h"

namespace quexa::screenshots {
namespace {

using namespace std::chrono_literals;

// One connection that is never really hung up.
class SampleConnections : public tasks::DialUpConnections {
  public:
    std::optional<std::vector<Connection>> List() override {
        return std::vector<Connection>{{"Mobile broadband", "sample"}};
    }
    bool HangUp(const Connection& /*connection*/) override { return true; }
};

// trayer's strip at the screen's top right corner.
constexpr int kTrayWidth = 160;
constexpr int kTrayHeight = 32;

void Wait(std::chrono::milliseconds time) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < time.count()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

bool WaitForTray() {
    for (int tries = 0; tries < 50; ++tries) {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            return true;
        }
        Wait(100ms);
    }
    return false;
}

void TrayIconShot(ShotWriter& writer) {
    if (QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty()) {
        std::fprintf(stderr, "skipped tray_icon: trayer is not installed\n");
        return;
    }
    QProcess trayer;
    trayer.start(
        QStringLiteral("trayer"),
        {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
         QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
         QStringLiteral("--width"), QString::number(kTrayWidth), QStringLiteral("--height"),
         QString::number(kTrayHeight), QStringLiteral("--tint"), QStringLiteral("0xd8dee6"),
         QStringLiteral("--transparent"), QStringLiteral("true"), QStringLiteral("--alpha"),
         QStringLiteral("0")});
    if (!trayer.waitForStarted() || !WaitForTray()) {
        std::fprintf(stderr, "skipped tray_icon: no notification area\n");
        return;
    }
    ui::TrayNotifier notifier(std::make_unique<ui::SystemTrayIcon>());
    notifier.SetFrames(ui::TrayNotifier::QuexaFrames());
    notifier.SetTip(QString::fromLatin1(ui::TrayNotifier::kViewTip));
    notifier.Show();
    notifier.SetInterval(ui::TrayNotifier::kViewInterval);
    Wait(700ms);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect strip(screen->geometry().right() - kTrayWidth + 1, 0, kTrayWidth, kTrayHeight);
    QLabel shot;
    shot.setWindowTitle(QStringLiteral("Quexa - Tray Icon"));
    shot.setPixmap(screen->grabWindow(0, strip.x(), strip.y(), strip.width(), strip.height()));
    writer.Write(shot, QStringLiteral("tray_icon"));
}

}  // namespace

void HangUpDialogShot(ShotWriter& writer) {
    SampleConnections connections;
    ui::HangUpDialog dialog(connections, nullptr, 1h);
    for (int tick = 0; tick < 4; ++tick) {
        dialog.Tick();
    }
    writer.Write(dialog, QStringLiteral("dialog_hang_up"));
}

void TrayShots(ShotWriter& writer) {
    QWidget sheet;
    sheet.setWindowTitle(QStringLiteral("Quexa - Tray Frames"));
    auto* grid = new QGridLayout(&sheet);
    const std::vector<QIcon> frames = ui::TrayNotifier::QuexaFrames();
    for (std::size_t index = 0; index < frames.size(); ++index) {
        const int column = static_cast<int>(index);
        auto* small = new QLabel(&sheet);
        small->setPixmap(frames[index].pixmap(22, 22));
        auto* large = new QLabel(&sheet);
        large->setPixmap(frames[index].pixmap(48, 48));
        grid->addWidget(small, 0, column, Qt::AlignCenter);
        grid->addWidget(large, 1, column, Qt::AlignCenter);
    }
    writer.Write(sheet, QStringLiteral("tray_frames"));
    TrayIconShot(writer);
}

}  // namespace quexa::screenshots
