#include <QApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "fake_nmcli.h"
#include "platform/nm_dial_up_connections.h"
#include "ui/hang_up_dialog.h"

namespace quexa::ui {

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
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::DialUpTrayTest)
#include "dial_up_tray_test.moc"
