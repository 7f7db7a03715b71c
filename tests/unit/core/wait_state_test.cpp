#include "core/wait_state.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace quexa::core {
namespace {

using namespace std::chrono_literals;

WaitState::Settings WithCancel(bool showCancel) {
    WaitState::Settings settings;
    settings.caption = "Saving";
    settings.text = "Saving , please stand by ... ...";
    settings.showCancel = showCancel;
    return settings;
}

TEST(WaitStateTest, OpeningStartsAFreshWait) {
    WaitState wait;
    wait.Open(WithCancel(true));
    wait.SetTotal(10);
    wait.SetPosition(4);
    wait.SetText("row 4");
    wait.Cancel();
    const WaitState::Snapshot first = wait.Read();
    EXPECT_TRUE(first.open);
    EXPECT_EQ(first.caption, "Saving");
    EXPECT_EQ(first.text, "row 4");
    EXPECT_EQ(first.total, 10U);
    EXPECT_EQ(first.position, 4U);
    EXPECT_TRUE(first.cancelled);
    wait.Close();

    WaitState::Settings plain;
    wait.Open(plain);
    const WaitState::Snapshot second = wait.Read();
    EXPECT_TRUE(second.open);
    EXPECT_EQ(second.text, "");
    EXPECT_EQ(second.total, 0U);
    EXPECT_EQ(second.position, 0U);
    EXPECT_FALSE(second.cancelled);
    EXPECT_TRUE(second.showCancel);
    EXPECT_TRUE(second.showCounter);
    EXPECT_EQ(second.generation, first.generation + 1);
}

TEST(WaitStateTest, CancelCountsOnlyWhileAWindowWithTheButtonIsOpen) {
    const struct {
        bool open;
        bool showCancel;
        bool cancelled;
    } cases[] = {
        {true, true, true},
        {true, false, false},
        {false, true, false},
    };
    for (const auto& c : cases) {
        WaitState wait;
        wait.Open(WithCancel(c.showCancel));
        if (!c.open) {
            wait.Close();
        }
        wait.Cancel();
        EXPECT_EQ(wait.Cancelled(), c.cancelled) << c.open << c.showCancel;
        // The window stays open after Cancel until the caller closes it.
        EXPECT_EQ(wait.IsOpen(), c.open);
    }
}

TEST(WaitStateTest, ClosingTwiceDoesNothingAndTheScopeClosesOnEveryWayOut) {
    WaitState wait;
    wait.Open(WithCancel(true));
    wait.Close();
    wait.Close();
    EXPECT_FALSE(wait.IsOpen());
    {
        WaitState::Scope scope(&wait, WithCancel(true));
        scope.SetTotal(3);
        scope.SetPosition(2);
        EXPECT_TRUE(wait.IsOpen());
        EXPECT_EQ(wait.Read().position, 2U);
        EXPECT_FALSE(scope.Cancelled());
        wait.Cancel();
        EXPECT_TRUE(scope.Cancelled());
    }
    EXPECT_FALSE(wait.IsOpen());
    // Without a window the scope does nothing and is never cancelled.
    WaitState::Scope none(nullptr, WithCancel(true));
    none.SetTotal(5);
    EXPECT_FALSE(none.Cancelled());
}

TEST(WaitStateTest, TheWindowThreadSeesTheCloseAndTheCancelReachesTheCaller) {
    WaitState wait;
    wait.Open(WithCancel(true));
    std::promise<void> ready;
    auto window = std::async(std::launch::async, [&] {
        // The window's own thread: presses Cancel, then waits for the caller to close it.
        ready.set_value();
        wait.Cancel();
        return wait.WaitUntilClosed(10s);
    });
    ready.get_future().wait();
    std::size_t units = 0;
    while (!wait.Cancelled() && units < 1'000'000) {
        wait.SetPosition(++units);
        std::this_thread::yield();
    }
    EXPECT_TRUE(wait.Cancelled());
    wait.Close();
    EXPECT_TRUE(window.get());
    EXPECT_TRUE(wait.WaitUntilClosed(1ms));
    wait.Open(WithCancel(true));
    EXPECT_FALSE(wait.WaitUntilClosed(10ms));
}

}  // namespace
}  // namespace quexa::core
