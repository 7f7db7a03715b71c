#include "tasks/location_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_opener.h"
#include "tasks/location_kind.h"

namespace quexa::tasks {
namespace {

using core::StatusCode;
using core::VisitCode;
using Failure = LocationOpener::Failure;

TEST(LocationKindTest, KindsAreTestedInOrder) {
    const struct {
        const char* location;
        LocationKind kind;
    } cases[] = {
        {"//server/share/report.pdf", LocationKind::NetworkPath},
        {"\\\\server\\share\\report.pdf", LocationKind::NetworkPath},
        {"/home/ana/notes.txt", LocationKind::LocalPath},
        {"C:\\Documents\\notes.txt", LocationKind::LocalPath},
        {"https://example.org/a?b=c#d", LocationKind::InternetAddress},
        {"http://example.org:8080/", LocationKind::InternetAddress},
        {"ftp://files.example.org/pub", LocationKind::InternetAddress},
        {"mailto:someone@example.org", LocationKind::InternetAddress},
        {"example.org/page.html", LocationKind::InternetAddress},
        {"www.example.org", LocationKind::InternetAddress},
        {"intranet:8080/wiki", LocationKind::InternetAddress},
        {"", LocationKind::Other},
        {"my notes.txt", LocationKind::Other},
        {"http://bad host/", LocationKind::Other},
        {"/", LocationKind::LocalPath},
        {"D:relative", LocationKind::InternetAddress},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KindOf(c.location), c.kind) << c.location;
    }
    EXPECT_TRUE(IsPathKind(LocationKind::NetworkPath));
    EXPECT_TRUE(IsPathKind(LocationKind::LocalPath));
    EXPECT_FALSE(IsPathKind(LocationKind::InternetAddress));
}

TEST(LocationKindTest, BrowsersGetASchemeAndOpenDirLosesTheTitle) {
    EXPECT_EQ(WebAddressFor("example.org/a"), "http://example.org/a");
    EXPECT_EQ(WebAddressFor("host:8080/a"), "http://host:8080/a");
    EXPECT_EQ(WebAddressFor("https://example.org/a"), "https://example.org/a");
    EXPECT_EQ(WebAddressFor("mailto:a@example.org"), "mailto:a@example.org");

    EXPECT_EQ(FolderToExplore("/srv/docs/plan.txt", "plan.txt"), "/srv/docs/");
    EXPECT_EQ(FolderToExplore("/srv/docs/plan.txt", ""), "/srv/docs/plan.txt");
    // Every occurrence goes, as the command always did.
    EXPECT_EQ(FolderToExplore("/a/x/b/x", "x"), "/a//b/");
    EXPECT_EQ(FolderToExplore("/srv/docs/plan.txt", "Plan"), "/srv/docs/plan.txt");
}

TEST(LocationOpenerTest, EveryFailureHasItsTextAndNoneHasNone) {
    EXPECT_EQ(ExecuteFailedText(Failure::None), "");
    EXPECT_EQ(ExecuteFailedText(Failure::FileNotFound), "The specified file was not found.");
    EXPECT_EQ(ExecuteFailedText(Failure::PathNotFound), "The specified path was not found. ");
    EXPECT_EQ(ExecuteFailedText(Failure::AccessDenied),
              "The operating system denied access to the specified file.");
    EXPECT_EQ(ExecuteFailedText(Failure::NoAssociation).substr(0, 46),
              "There is no application associated with the gi");
    for (int f = static_cast<int>(Failure::OutOfResources);
         f <= static_cast<int>(Failure::LibraryNotFound); ++f) {
        EXPECT_FALSE(ExecuteFailedText(static_cast<Failure>(f)).empty()) << f;
    }
}

core::ResultItem Item(std::string title, std::string location, bool selected = false) {
    core::ResultItem item;
    item.title = std::move(title);
    item.location = std::move(location);
    item.selected = selected;
    return item;
}

class LocationCommandsTest : public ::testing::Test {
  protected:
    void Add(std::string title, std::string location, bool selected = false) {
        list_.AddItem(static_cast<std::ptrdiff_t>(list_.Count()),
                      Item(std::move(title), std::move(location), selected));
        list_.ClearModified();
    }

    testing::RecordingOpener opener_;
    LocationCommands commands_{opener_};
    core::ResultList list_;
};

TEST_F(LocationCommandsTest, BrowseTargetByKind) {
    const struct {
        const char* location;
        Failure failure;
        bool browsed;
        StatusCode status;
        const char* errorText;
    } cases[] = {
        {"https://example.org/", Failure::FileNotFound, true, StatusCode::Normal, nullptr},
        {"example.org", Failure::None, true, StatusCode::Normal, nullptr},
        {"/srv/plan.txt", Failure::None, false, StatusCode::Reachable, nullptr},
        {"/srv/gone.txt", Failure::FileNotFound, false, StatusCode::Unreachable,
         "The specified file was not found."},
        {"//server/share/x", Failure::PathNotFound, false, StatusCode::Unreachable,
         "The specified path was not found. "},
        {"my notes.txt", Failure::NoAssociation, false, StatusCode::Unreachable, ""},
    };
    for (const auto& c : cases) {
        list_.DeleteAll();
        Add("t", c.location);
        opener_ = {};
        opener_.failures[c.location] = c.failure;
        const std::optional<ExecuteFailure> failure = commands_.BrowseTarget(list_, 0);
        EXPECT_EQ(opener_.browsed.size(), c.browsed ? 1U : 0U) << c.location;
        EXPECT_EQ(opener_.opened.size(), c.browsed ? 0U : 1U) << c.location;
        EXPECT_EQ(list_.Item(0).status, c.status) << c.location;
        EXPECT_EQ(list_.Item(0).visit, VisitCode::Visited) << c.location;
        EXPECT_TRUE(list_.IsModified()) << c.location;
        ASSERT_EQ(failure.has_value(), c.errorText != nullptr) << c.location;
        if (failure) {
            EXPECT_EQ(failure->location, c.location);
            if (*c.errorText != '\0') {
                EXPECT_EQ(failure->errorText, c.errorText);
            }
        }
    }
    EXPECT_FALSE(commands_.BrowseTarget(list_, 5).has_value());
}

TEST_F(LocationCommandsTest, OpenDirExploresTheFolderAndMarksAFailure) {
    Add("plan.txt", "/srv/docs/plan.txt");
    Add("gone.txt", "/srv/gone/gone.txt");
    opener_.failures["/srv/gone/"] = Failure::PathNotFound;

    EXPECT_FALSE(commands_.OpenDir(list_, 0).has_value());
    EXPECT_EQ(list_.Item(0).status, StatusCode::Normal);
    const std::optional<ExecuteFailure> failure = commands_.OpenDir(list_, 1);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->location, "/srv/gone/gone.txt");
    EXPECT_EQ(list_.Item(1).status, StatusCode::Unreachable);
    EXPECT_EQ(opener_.explored, (std::vector<std::string>{"/srv/docs/", "/srv/gone/"}));
}

TEST_F(LocationCommandsTest, BrowseAllSelectedOpensSelectedRowsInOrder) {
    Add("a", "https://a.example/", true);
    Add("b", "/srv/b.txt", false);
    Add("c", "/srv/c.txt", true);
    Add("d", "https://d.example/", true);
    opener_.failures["/srv/c.txt"] = Failure::AccessDenied;
    std::vector<std::string> shown;
    const auto current = commands_.BrowseAllSelected(
        list_, [&](const ExecuteFailure& failure) { shown.push_back(failure.location); });
    EXPECT_EQ(current, std::optional<std::size_t>(3));
    EXPECT_EQ(opener_.browsed,
              (std::vector<std::string>{"https://a.example/", "https://d.example/"}));
    EXPECT_EQ(opener_.opened, (std::vector<std::string>{"/srv/c.txt"}));
    EXPECT_EQ(shown, (std::vector<std::string>{"/srv/c.txt"}));
    EXPECT_EQ(list_.Item(1).visit, VisitCode::WithoutVisit);

    core::ResultList empty;
    EXPECT_FALSE(commands_.BrowseAllSelected(empty, [](const ExecuteFailure&) {}).has_value());
}

TEST(LocationCommandsRuleTest, AsksAboveThreeRows) {
    EXPECT_FALSE(LocationCommands::AsksBeforeBrowsing(3));
    EXPECT_TRUE(LocationCommands::AsksBeforeBrowsing(4));
    EXPECT_EQ(LocationCommands::BrowseQuestion(4),
              "Warring: \r\n    You want to open << 4 >> target, are you really ?");
}

}  // namespace
}  // namespace quexa::tasks
