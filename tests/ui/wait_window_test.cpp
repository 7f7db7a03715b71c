#include "ui/wait_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <chrono>

#include "core/wait_state.h"
#include "paint_counter.h"
#include "ui/busy_animation.h"
#include "ui/qt_main_thread.h"

namespace quexa::ui {

class WaitWindowTest : public QObject {
    Q_OBJECT

  private:
    static core::WaitState::Settings Settings(bool showCancel = true, bool showCounter = true) {
        core::WaitState::Settings settings;
        settings.caption = "Loading";
        settings.text = "Loading , please stand by ... ... ";
        settings.showCancel = showCancel;
        settings.showCounter = showCounter;
        return settings;
    }

    QProgressBar* Bar(WaitWindow& window) { return window.findChild<QProgressBar*>(); }
    QPushButton* CancelButton(WaitWindow& window) { return window.findChild<QPushButton*>(); }
    // The counter is the label that shows "(position/total)".
    QLabel* Counter(WaitWindow& window) {
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->accessibleDescription() == QStringLiteral("Units done of the total")) {
                return label;
            }
        }
        return nullptr;
    }

  private Q_SLOTS:
    void OpensWithCaptionAndText() {
        core::WaitState state;
        WaitWindow window(state);
        window.Open(Settings());
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Loading"));
        QVERIFY(window.findChild<QLabel*>()->text().startsWith(QStringLiteral("Loading , please")));
        state.SetText("");
        window.Poll();
        QCOMPARE(window.findChild<QLabel*>()->text(), QStringLiteral("Please Stand By ... ... "));
        QVERIFY(window.findChild<BusyAnimation*>()->isVisible());
    }

    void TotalZeroHidesTheBarAndCounter() {
        core::WaitState state;
        WaitWindow window(state);
        window.Open(Settings());
        window.SetProgress(5, 0);
        window.Poll();
        QVERIFY(!Bar(window)->isVisible());
        QVERIFY(!Counter(window)->isVisible());
        QVERIFY(Counter(window)->text().isEmpty());
    }

    void CounterShowsPositionOfTotal() {
        core::WaitState state;
        WaitWindow window(state);
        window.Open(Settings());
        window.SetProgress(3, 10);
        window.Poll();
        QVERIFY(Bar(window)->isVisible());
        QCOMPARE(Bar(window)->maximum(), 10);
        QCOMPARE(Bar(window)->value(), 3);
        QVERIFY(Counter(window)->isVisible());
        QCOMPARE(Counter(window)->text(), QStringLiteral("(3/10)"));
    }

    void CounterOffKeepsTheBar() {
        core::WaitState state;
        WaitWindow window(state);
        window.Open(Settings(true, false));
        window.SetProgress(4, 8);
        window.Poll();
        QVERIFY(Bar(window)->isVisible());
        QVERIFY(!Counter(window)->isVisible());
    }

    void HugeTotalsStillFillTheBar() {
        core::WaitState state;
        WaitWindow window(state);
        window.Open(Settings());
        window.SetProgress(6'000'000'000ULL, 12'000'000'000ULL);
        window.Poll();
        QVERIFY(Bar(window)->maximum() > 0);
        QCOMPARE(Bar(window)->value() * 2, Bar(window)->maximum());
        QCOMPARE(Counter(window)->text(), QStringLiteral("(6000000000/12000000000)"));
    }

    void CancelSetsTheFlagAndTheWindowStays() {
        core::WaitState state;
        WaitWindow window(state);
        window.Open(Settings());
        QVERIFY(!state.Cancelled());
        QTest::mouseClick(CancelButton(window), Qt::LeftButton);
        QVERIFY(state.Cancelled());
        QTest::qWait(2 * WaitWindow::kPollInterval);
        QVERIFY(window.isVisible());
        // The work sees the flag, stops and closes the window.
        window.Close();
        QVERIFY(!window.isVisible());
    }

    void EscapeCancelsOnlyWithTheButton() {
        core::WaitState state;
        WaitWindow window(state);
        window.Open(Settings(false, true));
        QVERIFY(!CancelButton(window)->isVisible());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!state.Cancelled());
        QVERIFY(window.isVisible());
        window.Close();

        window.Open(Settings(true, true));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(state.Cancelled());
        QVERIFY(window.isVisible());
        window.Close();
    }

    void WithoutCancelTheBarReachesTheRightEdge() {
        core::WaitState state;
        WaitWindow window(state);
        window.Open(Settings(true, false));
        window.SetProgress(1, 2);
        window.Poll();
        const int buttonRight = CancelButton(window)->geometry().right();
        window.Close();
        window.Open(Settings(false, false));
        window.SetProgress(1, 2);
        window.Poll();
        QCoreApplication::processEvents();
        QVERIFY(Bar(window)->geometry().right() >= buttonRight - 1);
    }

    void ClosedRightAfterOpening() {
        core::WaitState state;
        WaitWindow window(state);
        window.Open(Settings());
        window.Close();
        QVERIFY(!window.isVisible());
        QTest::qWait(2 * WaitWindow::kPollInterval);
        QVERIFY(!window.isVisible());
        // Closing twice does nothing; the next opening shows it again.
        window.Close();
        window.Open(Settings());
        QVERIFY(window.isVisible());
    }

    void FollowsAStateOpenedElsewhere() {
        core::WaitState state;
        WaitWindow window(state);
        {
            core::WaitState::Scope scope(&state, Settings());
            scope.SetTotal(10);
            scope.SetPosition(7);
            QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 1000);
            QTRY_COMPARE_WITH_TIMEOUT(Counter(window)->text(), QStringLiteral("(7/10)"), 1000);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 1000);
    }

    void RepaintsWhileTheCallerProcessesPendingEvents() {
        core::WaitState state;
        WaitWindow window(state);
        QtMainThread mainThread;
        testing::PaintCounter counterPaints;
        testing::PaintCounter animationPaints;
        auto* animation = window.findChild<BusyAnimation*>();
        core::WaitState::Scope scope(&state, Settings());
        scope.SetTotal(1'000'000);
        QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 1000);
        Counter(window)->installEventFilter(&counterPaints);
        animation->installEventFilter(&animationPaints);
        const int firstFrame = animation->Frame();

        // One second of work on this thread that only lets events through between its steps.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        std::uint64_t position = 0;
        while (std::chrono::steady_clock::now() < end) {
            scope.SetPosition(++position);
            mainThread.ProcessPending();
        }
        QVERIFY2(counterPaints.count >= 5, qPrintable(QString::number(counterPaints.count)));
        QVERIFY2(animationPaints.count >= 4, qPrintable(QString::number(animationPaints.count)));
        QVERIFY(animation->Frame() != firstFrame ||
                animationPaints.count >= BusyAnimation::kFrameCount);
        const QString shown = Counter(window)->text();
        QVERIFY(shown.endsWith(QStringLiteral("/1000000)")));
        QVERIFY(shown != QStringLiteral("(0/1000000)"));
    }
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::WaitWindowTest)
#include "wait_window_test.moc"
