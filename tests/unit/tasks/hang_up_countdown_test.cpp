#include "tasks/hang_up_countdown.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quexa::tasks {
namespace {

// Connections held in memory; a listing can fail and so can one connection's hang-up.
class MemoryConnections : public DialUpConnections {
  public:
    std::optional<std::vector<Connection>> List() override {
        if (listFails) {
            return std::nullopt;
        }
        return active;
    }
    bool HangUp(const Connection& connection) override {
        if (connection.id == failing) {
            return false;
        }
        hungUp.push_back(connection.id);
        return true;
    }

    std::vector<Connection> active;
    bool listFails = false;
    std::string failing;
    std::vector<std::string> hungUp;
};

TEST(HangUpCountdownTest, OpensOnlyWithSomethingToHangUp) {
    const struct {
        bool listFails;
        std::vector<DialUpConnections::Connection> active;
        bool counts;
    } cases[] = {
        {false, {}, false},
        {false, {{"Mobile", "g1"}}, true},
        // A failed listing still counts down, then hangs up nothing.
        {true, {{"Mobile", "g1"}}, true},
    };
    for (const auto& c : cases) {
        MemoryConnections connections;
        connections.listFails = c.listFails;
        connections.active = c.active;
        HangUpCountdown countdown(connections);
        EXPECT_EQ(countdown.Start(), c.counts);
        EXPECT_EQ(countdown.Finished(), !c.counts);
    }
}

TEST(HangUpCountdownTest, HangsUpAfterTenTicksOrAtOnceAndCancelHangsUpNothing) {
    MemoryConnections connections;
    connections.active = {{"One", "u1"}, {"Two", "u2"}};
    HangUpCountdown countdown(connections);
    ASSERT_TRUE(countdown.Start());
    for (int tick = 1; tick < HangUpCountdown::kTicks; ++tick) {
        EXPECT_FALSE(countdown.Tick()) << tick;
        EXPECT_EQ(countdown.Elapsed(), tick);
    }
    EXPECT_TRUE(connections.hungUp.empty());
    EXPECT_TRUE(countdown.Tick());
    EXPECT_EQ(connections.hungUp, (std::vector<std::string>{"u1", "u2"}));
    // A late tick hangs up nothing more.
    EXPECT_TRUE(countdown.Tick());
    EXPECT_EQ(connections.hungUp.size(), 2U);

    MemoryConnections now;
    now.active = {{"One", "u1"}, {"Two", "u2"}, {"Three", "u3"}};
    now.failing = "u2";
    HangUpCountdown atOnce(now);
    ASSERT_TRUE(atOnce.Start());
    atOnce.Tick();
    atOnce.HangUpNow();
    EXPECT_TRUE(atOnce.Finished());
    EXPECT_EQ(now.hungUp, std::vector<std::string>{"u1"});

    MemoryConnections kept;
    kept.active = {{"One", "u1"}};
    HangUpCountdown cancelled(kept);
    ASSERT_TRUE(cancelled.Start());
    cancelled.Cancel();
    for (int tick = 0; tick < HangUpCountdown::kTicks; ++tick) {
        cancelled.Tick();
    }
    cancelled.HangUpNow();
    EXPECT_TRUE(kept.hungUp.empty());
}

}  // namespace
}  // namespace quexa::tasks
