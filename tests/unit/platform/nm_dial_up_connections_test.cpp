#include "platform/nm_dial_up_connections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_nmcli.h"
#include "platform/program_runner.h"

namespace quexa::platform {
namespace {

using quexa::testing::FakeNmcli;
using Connection = tasks::DialUpConnections::Connection;

std::vector<std::string> Names(const std::vector<Connection>& connections) {
    std::vector<std::string> names;
    for (const Connection& connection : connections) {
        names.push_back(connection.name);
    }
    return names;
}

TEST(NmDialUpConnectionsTest, SplitsTerseFieldsWithTheirEscapes) {
    const struct {
        std::string_view line;
        std::vector<std::string> fields;
    } cases[] = {
        {"Home:1234:gsm", {"Home", "1234", "gsm"}},
        {R"(Dial\: work:ab:ppp)", {"Dial: work", "ab", "ppp"}},
        {R"(back\\slash:cd:pppoe)", {R"(back\slash)", "cd", "pppoe"}},
        {"::", {"", "", ""}},
        {"trailing\\", {"trailing\\"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NmDialUpConnections::SplitTerse(c.line), c.fields) << c.line;
    }
}

TEST(NmDialUpConnectionsTest, ListsOnlyTheDialUpKindsInOrder) {
    FakeNmcli nmcli;
    nmcli.SetActive(
        "Wired:e1:802-3-ethernet\n"
        "Mobile:g1:gsm\n"
        "Phone DUN:b1:bluetooth\n"
        "Phone PAN:b2:bluetooth\n"
        "DSL\\: home:p1:pppoe\n"
        "Old modem:c1:cdma\n"
        "Serial:s1:ppp\n"
        "lo:l1:loopback\n"
        "broken line\n");
    nmcli.SetBluetoothType("b1", "dun");
    nmcli.SetBluetoothType("b2", "panu");
    NmDialUpConnections connections;
    const auto listed = connections.List();
    ASSERT_TRUE(listed);
    EXPECT_EQ(Names(*listed), (std::vector<std::string>{"Mobile", "Phone DUN", "DSL: home",
                                                        "Old modem", "Serial"}));
    EXPECT_EQ((*listed)[2].id, "p1");
}

TEST(NmDialUpConnectionsTest, NoNmcliMeansNoConnectionsAndAFailedListingIsNoList) {
    FakeNmcli nmcli;
    nmcli.SetActive("Mobile:g1:gsm\n");
    nmcli.FailListing();
    NmDialUpConnections connections;
    EXPECT_FALSE(connections.List());
    EXPECT_FALSE(connections.HangUpAll());
    nmcli.Remove();
    const auto listed = connections.List();
    ASSERT_TRUE(listed);
    EXPECT_TRUE(listed->empty());
    EXPECT_TRUE(connections.HangUpAll());
}

TEST(NmDialUpConnectionsTest, HangsUpInOrderAndStopsAtTheFirstFailure) {
    FakeNmcli nmcli;
    nmcli.SetActive("One:u1:gsm\nTwo:u2:ppp\nThree:u3:cdma\n");
    NmDialUpConnections connections;
    EXPECT_TRUE(connections.HangUpAll());
    EXPECT_EQ(nmcli.HungUp(), (std::vector<std::string>{"u1", "u2", "u3"}));

    FakeNmcli failing;
    failing.SetActive("One:u1:gsm\nTwo:u2:ppp\nThree:u3:cdma\n");
    failing.FailHangUp("u2");
    EXPECT_FALSE(connections.HangUpAll());
    EXPECT_EQ(failing.HungUp(), std::vector<std::string>{"u1"});
}

TEST(ProgramRunnerTest, BoundsWhatItKeepsAndHowLongItWaits) {
    const auto echoed = ProgramRunner::Run({"sh", "-c", "printf 'a:b'; exit 3"});
    ASSERT_TRUE(echoed);
    EXPECT_EQ(echoed->exitCode, 3);
    EXPECT_EQ(echoed->output, "a:b");

    ProgramRunner::Limits small;
    small.maxOutput = 1000;
    const auto talkative = ProgramRunner::Run({"sh", "-c", "yes"}, small);
    ASSERT_TRUE(talkative);
    EXPECT_EQ(talkative->exitCode, -1);
    EXPECT_LE(talkative->output.size(), small.maxOutput);

    ProgramRunner::Limits quick;
    quick.timeout = std::chrono::milliseconds(200);
    const auto slow = ProgramRunner::Run({"sleep", "30"}, quick);
    ASSERT_TRUE(slow);
    EXPECT_EQ(slow->exitCode, -1);

    EXPECT_FALSE(ProgramRunner::Run({"quexa-no-such-program"}));
    EXPECT_FALSE(ProgramRunner::Run({}));
}

}  // namespace
}  // namespace quexa::platform
