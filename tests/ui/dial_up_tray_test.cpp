#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fake_nmcli.h"
#include "platform/nm_dial_up_connections.h"
#include "ui/hang_up_dialog.h"
#include "ui/tray_notifier.h"

namespace quexa::ui {
namespace {

// Records what the notifier asks of the notification area, which the offscreen platform lacks.
struct TrayRecord {
    std::vector<qint64> icons;
    QString tip;
    bool available = true;
    int shows = 0;
    int hides = 0;
};

class FakeTrayIcon : public TrayIcon {
  public:
    explicit FakeTrayIcon(TrayRecord& record) : record_(record) {}
    void SetIcon(const QIcon& icon) override { record_.icons.push_back(icon.cacheKey()); }
    void SetToolTip(const QString& tip) override { record_.tip = tip; }
    bool Show() override {
        ++record_.shows;
        return record_.available;
    }
    void Hide() override { ++record_.hides; }

  private:
    TrayRecord& record_;
};

std::vector<QIcon> SolidFrames(const std::vector<QColor>& colours) {
    std::vector<QIcon> frames;
    for (const QColor& colour : colours) {
        QPixmap pixmap(4, 4);
        pixmap.fill(colour);
        frames.emplace_back(pixmap);
    }
    return frames;
}

std::vector<qint64> Keys(const std::vector<QIcon>& frames, const std::vector<int>& order) {
    std::vector<qint64> keys;
    for (const int index : order) {
        keys.push_back(frames[static_cast<std::size_t>(index)].cacheKey());
    }
    return keys;
}

}  // namespace

using namespace std::chrono_literals;
using Outcome = HangUpDialog::Outcome;

class DialUpTrayTest : public QObject {
    Q_OBJECT

  private:
    static QPushButton* Button(QWidget& dialog, const QString& text) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text().remove(QLatin1Char('&')) == text) {
                return button;
            }
        }
        return nullptr;
    }

    // Runs the hang-up dialog while `action` acts on it from inside its event loop.
    static Outcome RunWith(std::chrono::milliseconds tick,
                           const std::function<void(HangUpDialog&)>& action) {
        platform::NmDialUpConnections connections;
        QTimer::singleShot(0, [action] {
            auto* dialog = qobject_cast<HangUpDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            action(*dialog);
        });
        return HangUpDialog::Run(connections, nullptr, tick);
    }

  private Q_SLOTS:
    void WithoutAConnectionItNeverOpens() {
        testing::FakeNmcli nmcli;
        nmcli.SetActive("Wired:e1:802-3-ethernet\n");
        platform::NmDialUpConnections connections;
        QCOMPARE(HangUpDialog::Run(connections, nullptr, 1h), Outcome::NothingToHangUp);
        nmcli.Remove();
        QCOMPARE(HangUpDialog::Run(connections, nullptr, 1h), Outcome::NothingToHangUp);
        QVERIFY(nmcli.HungUp().empty());
    }

    void HangsUpEveryConnectionAtTheTenthTick() {
        testing::FakeNmcli nmcli;
        nmcli.SetActive("Mobile:g1:gsm\nModem:p1:ppp\n");
        std::vector<std::string> beforeLast;
        const Outcome outcome = RunWith(1h, [&](HangUpDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Auto Hang up dial network"));
            auto* bar = dialog.findChild<QProgressBar*>();
            QVERIFY(bar != nullptr);
            QCOMPARE(bar->maximum(), 10);
            for (int tick = 0; tick < 9; ++tick) {
                dialog.Tick();
            }
            QCOMPARE(bar->value(), 9);
            QVERIFY(dialog.isVisible());
            beforeLast = nmcli.HungUp();
            dialog.Tick();
        });
        QCOMPARE(outcome, Outcome::HungUp);
        QVERIFY(beforeLast.empty());
        QCOMPARE(nmcli.HungUp(), (std::vector<std::string>{"g1", "p1"}));
    }

    void ItsOwnTimerCountsDown() {
        testing::FakeNmcli nmcli;
        nmcli.SetActive("Mobile:g1:gsm\n");
        platform::NmDialUpConnections connections;
        QCOMPARE(HangUpDialog::Run(connections, nullptr, 5ms), Outcome::HungUp);
        QCOMPARE(nmcli.HungUp(), std::vector<std::string>{"g1"});
    }

    void HangUpActsAtOnceAndCancelOrEscapeHangsUpNothing() {
        const struct {
            const char* press;
            Outcome outcome;
            bool hungUp;
        } cases[] = {
            {"Hang Up", Outcome::HungUp, true},
            {"Cancel", Outcome::Cancelled, false},
            {"Escape", Outcome::Cancelled, false},
        };
        for (const auto& c : cases) {
            testing::FakeNmcli nmcli;
            nmcli.SetActive("Mobile:g1:gsm\n");
            const Outcome outcome = RunWith(1h, [&](HangUpDialog& dialog) {
                dialog.Tick();
                const QString press = QString::fromLatin1(c.press);
                if (press == QStringLiteral("Escape")) {
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                    return;
                }
                QPushButton* button = Button(dialog, press);
                QVERIFY(button != nullptr);
                button->click();
            });
            QCOMPARE(outcome, c.outcome);
            QCOMPARE(nmcli.HungUp().empty(), !c.hungUp);
        }
    }

    void TheViewsNotifierAnimatesUnseenWithQuexasFrames() {
        TrayRecord record;
        auto view = std::make_unique<QObject>();
        QPointer<TrayNotifier> notifier =
            TrayNotifier::CreateForView(view.get(), std::make_unique<FakeTrayIcon>(record));
        QCOMPARE(notifier->FrameCount(), std::size_t{4});
        QCOMPARE(notifier->Interval(), 300ms);
        QCOMPARE(notifier->Tip(), QStringLiteral("Quexa 1.03"));
        QVERIFY(notifier->Animating());
        QVERIFY(!notifier->Shown());
        notifier->Tick();
        QVERIFY(record.icons.empty());
        QCOMPARE(record.shows, 0);
        const std::vector<QIcon> frames = TrayNotifier::QuexaFrames();
        QCOMPARE(frames[0].cacheKey(), frames[2].cacheKey());
        for (const QIcon& frame : frames) {
            QVERIFY(!frame.pixmap(22, 22).isNull());
        }
        QVERIFY(frames[1].cacheKey() != frames[3].cacheKey());
        view.reset();
        QVERIFY(notifier.isNull());
    }

    void ShownItStepsItsFramesAndWraps() {
        TrayRecord record;
        TrayNotifier notifier(std::make_unique<FakeTrayIcon>(record));
        const std::vector<QIcon> frames = SolidFrames({Qt::red, Qt::green, Qt::blue});
        notifier.SetFrames(frames);
        notifier.SetTip(QStringLiteral("tip"));
        notifier.Show();
        notifier.Show();
        QCOMPARE(record.shows, 1);
        QCOMPARE(record.tip, QStringLiteral("tip"));
        for (int tick = 0; tick < 4; ++tick) {
            notifier.Tick();
        }
        QCOMPARE(record.icons, Keys(frames, {0, 0, 1, 2, 0}));
        // Fewer frames: the next one wraps instead of running past the end.
        notifier.SetFrames(SolidFrames({Qt::black}));
        QCOMPARE(notifier.NextFrame(), std::size_t{0});
        // No frames: the icon stays as it is, the tip still reaches it.
        notifier.SetFrames({});
        notifier.SetTip(QStringLiteral("later"));
        const std::size_t before = record.icons.size();
        notifier.Tick();
        QCOMPARE(record.icons.size(), before);
        QCOMPARE(record.tip, QStringLiteral("later"));
        notifier.Hide();
        notifier.Hide();
        QCOMPARE(record.hides, 1);
        notifier.SetFrames(frames);
        notifier.Tick();
        QCOMPARE(record.icons.size(), before);
    }

    void WithoutANotificationAreaItStaysHidden() {
        TrayRecord record;
        record.available = false;
        TrayNotifier notifier(std::make_unique<FakeTrayIcon>(record));
        notifier.SetFrames(SolidFrames({Qt::red}));
        notifier.Show();
        QVERIFY(!notifier.Shown());
        notifier.Tick();
        QCOMPARE(record.icons.size(), std::size_t{1});
    }

    void ItsTimerStepsTheFramesUntilStopped() {
        TrayRecord record;
        {
            TrayNotifier notifier(std::make_unique<FakeTrayIcon>(record));
            const std::vector<QIcon> frames = SolidFrames({Qt::red, Qt::green});
            notifier.SetFrames(frames);
            notifier.Show();
            notifier.SetInterval(5ms);
            QVERIFY(notifier.Animating());
            QTRY_VERIFY(record.icons.size() >= 5);
            QCOMPARE(std::vector<qint64>(record.icons.begin(), record.icons.begin() + 5),
                     Keys(frames, {0, 0, 1, 0, 1}));
            notifier.StopAnimation();
            QVERIFY(!notifier.Animating());
            const std::size_t stopped = record.icons.size();
            QTest::qWait(30);
            QCOMPARE(record.icons.size(), stopped);
            notifier.StartAnimation();
            QVERIFY(notifier.Animating());
        }
        // Closing takes the icon out of the notification area.
        QCOMPARE(record.hides, 1);
    }
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::DialUpTrayTest)
#include "dial_up_tray_test.moc"
