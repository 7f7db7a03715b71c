#include "core/result_list.h"
#include "core/sort_mark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace quexa::core {
namespace {

ResultItem MakeItem(std::string title, std::string location, StatusCode status = StatusCode::Normal,
                    bool selected = false) {
    ResultItem item;
    item.title = std::move(title);
    item.location = std::move(location);
    item.searchTarget = "Engine";
    item.preview = "About " + item.title;
    item.status = status;
    item.selected = selected;
    return item;
}

std::vector<std::string> CellTexts(const ResultList& list, ResultCell cell) {
    std::vector<std::string> out;
    for (std::size_t row = 0; row < list.Count(); ++row) {
        out.emplace_back(list.CellText(row, cell));
    }
    return out;
}

std::vector<std::string> Locations(const ResultList& list) {
    return CellTexts(list, ResultCell::Location);
}

std::vector<std::string> Titles(const ResultList& list) {
    return CellTexts(list, ResultCell::Title);
}

TEST(ResultListTest, AddItemCutsTextsToTheirLimits) {
    const std::string e = "\xC3\xA9";  // two bytes
    struct Case {
        const char* name;
        std::string title, preview;
        std::string expectedTitle, expectedPreview;
    };
    const Case cases[] = {
        {"preview of 256 loses only its last byte", "t", std::string(256, 'p'), "t",
         std::string(255, 'p')},
        {"preview of 257 gets an ellipsis", "t", std::string(257, 'p'), "t",
         std::string(252, 'p') + "..."},
        {"title of 61 is cut to 60", std::string(61, 'a'), "p", std::string(60, 'a'), "p"},
        {"bars go before the length test", std::string(30, 'a') + "||" + std::string(30, 'b'),
         "p|q", std::string(30, 'a') + std::string(30, 'b'), "pq"},
        {"cuts keep whole characters", std::string(59, 'a') + e,
         std::string(251, 'p') + e + std::string(10, 'q'), std::string(59, 'a'),
         std::string(251, 'p') + "..."},
    };
    for (const Case& c : cases) {
        ResultList list;
        ResultItem item = MakeItem(c.title, "http://a/");
        item.preview = c.preview;
        list.AddItem(0, item);
        EXPECT_EQ(list.CellText(0, ResultCell::Title), c.expectedTitle) << c.name;
        EXPECT_EQ(list.CellText(0, ResultCell::Preview), c.expectedPreview) << c.name;
    }
}

// Items readied on another thread end up exactly as AddItem or AddUnlistedItem would leave
// them: cut, without bars, in order, repeats kept or dropped as asked.
TEST(ResultListTest, PreparedItemsAppendAsSingleAddsWould) {
    std::vector<ResultItem> items;
    for (int i = 0; i < 700; ++i) {
        ResultItem item =
            MakeItem("T|" + std::to_string(i) + std::string(i % 3 == 0 ? 70 : 0, 'x'),
                     "http://h/" + std::to_string(i % 250), StatusCode::Normal, i % 4 == 0);
        if (i % 5 == 0) {
            item.location = "HTTP://H/" + std::to_string(i % 250) + "|";
        }
        item.preview = std::string(i % 2 == 0 ? 300 : 10, 'p');
        items.push_back(item);
    }
    for (const bool onlyUnlisted : {true, false}) {
        ResultList single;
        ResultList prepared;
        single.AddItem(0, MakeItem("first", "http://h/7"));
        prepared.AddItem(0, MakeItem("first", "http://h/7"));
        std::vector<PreparedItem> ready;
        for (const ResultItem& item : items) {
            if (onlyUnlisted) {
                single.AddUnlistedItem(static_cast<std::ptrdiff_t>(single.Count()), item);
            } else {
                single.AddItem(static_cast<std::ptrdiff_t>(single.Count()), item);
            }
            ready.emplace_back(ResultItem(item));
        }
        prepared.ClearModified();
        const std::size_t added = prepared.AppendPreparedItems(ready, onlyUnlisted);
        EXPECT_EQ(added + 1, prepared.Count()) << onlyUnlisted;
        ASSERT_EQ(prepared.Count(), single.Count()) << onlyUnlisted;
        EXPECT_EQ(prepared.Count(), onlyUnlisted ? 250U : 701U);
        for (std::size_t row = 0; row < single.Count(); ++row) {
            for (const ResultCell cell : {ResultCell::Title, ResultCell::Location,
                                          ResultCell::SearchTarget, ResultCell::Preview}) {
                ASSERT_EQ(prepared.CellText(row, cell), single.CellText(row, cell))
                    << onlyUnlisted << " " << row;
            }
            EXPECT_EQ(prepared.RowValue(row), single.RowValue(row));
        }
        EXPECT_EQ(prepared.SelectedCount(), single.SelectedCount());
        EXPECT_EQ(prepared.Locations().Size(), single.Locations().Size());
        EXPECT_TRUE(prepared.IsModified());
    }
}

TEST(ResultListTest, AddItemFillsEveryCell) {
    ResultList list;
    ResultItem item = MakeItem("Ti|tle", "http://x/|y");
    item.searchTarget = "Eng|ine";
    item.visit = VisitCode::Visited;
    item.previewHeight = ResultItem::PreviewHeightFor(1);
    item.selected = true;
    list.AddItem(0, item);

    EXPECT_EQ(list.CellText(0, ResultCell::Preview), "About Title");
    EXPECT_EQ(list.CellText(0, ResultCell::VerifyMark), "NULL");
    EXPECT_EQ(list.CellText(0, ResultCell::Title), "Title");
    EXPECT_EQ(list.CellText(0, ResultCell::Location), "http://x/y");
    EXPECT_EQ(list.CellText(0, ResultCell::SearchTarget), "Engine");
    for (const ResultCell picture : {ResultCell::Status, ResultCell::Visit, ResultCell::Select}) {
        EXPECT_EQ(list.CellText(0, picture), "");
    }
    EXPECT_EQ(list.Item(0).visit, VisitCode::Visited);
    EXPECT_EQ(list.Item(0).previewHeight, 50);
    EXPECT_TRUE(list.Item(0).selected);
    EXPECT_EQ(list.SelectedCount(), 1u);
    EXPECT_TRUE(list.IsModified());
    EXPECT_TRUE(list.Locations().Contains("http://x/y"));
    EXPECT_EQ(ResultItem::PreviewHeightFor(0), 0);
}

TEST(ResultListTest, AddItemPositionsAndRowValues) {
    struct Case {
        std::ptrdiff_t position;
        std::size_t row;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {-5, 0, {"new", "a", "b"}}, {0, 0, {"new", "a", "b"}},  {1, 1, {"a", "new", "b"}},
        {2, 2, {"a", "b", "new"}},  {99, 2, {"a", "b", "new"}},
    };
    for (const Case& c : cases) {
        ResultList list;
        list.AddItem(0, MakeItem("a", "a"));
        list.AddItem(1, MakeItem("b", "b"));
        const ResultList::Added added = list.AddItem(c.position, MakeItem("new", "new"));
        EXPECT_EQ(added.row, c.row) << c.position;
        EXPECT_FALSE(added.alreadyListed);
        EXPECT_EQ(Locations(list), c.order) << c.position;
        EXPECT_EQ(list.RowValue(c.row), c.row) << c.position;
    }
}

TEST(ResultListTest, LetterCaseDoesNotMakeANewLocation) {
    ResultList list;
    EXPECT_FALSE(list.AddItem(0, MakeItem("a", "HTTP://Example.COM/Page")).alreadyListed);
    EXPECT_TRUE(list.Locations().Contains("http://example.com/page"));
    EXPECT_TRUE(list.AddItem(1, MakeItem("b", "http://example.com/PAGE")).alreadyListed);
    EXPECT_EQ(list.Locations().Size(), 1u);
}

TEST(ResultListTest, AddByHandGoesBeforeTheCurrentRowAndReportsDuplicates) {
    ResultList list;
    list.AddItem(0, MakeItem("a", "http://a/"));
    list.AddItem(1, MakeItem("b", "http://b/"));

    const ResultList::Added atTop =
        list.AddItemByHand(std::nullopt, MakeItem("c", "http://c/", StatusCode::Normal, true));
    EXPECT_EQ(atTop.row, 0u);
    EXPECT_FALSE(atTop.alreadyListed);
    EXPECT_FALSE(list.Item(0).selected);

    const ResultList::Added again = list.AddItemByHand(2, MakeItem("b2", "HTTP://B/"));
    EXPECT_TRUE(again.alreadyListed);
    EXPECT_EQ(Locations(list),
              (std::vector<std::string>{"http://c/", "http://a/", "HTTP://B/", "http://b/"}));

    // Deleting the row forgets the location: adding it again is no duplicate.
    list.DeleteItem(0);
    EXPECT_FALSE(list.AddItemByHand(std::nullopt, MakeItem("c", "http://c/")).alreadyListed);
}

TEST(ResultListTest, EditWritesSixValuesAndKeepsTheLocationSet) {
    ResultList list;
    list.AddItem(0, MakeItem("old", "http://old/", StatusCode::Normal, true));
    list.ClearModified();

    ResultItem values = MakeItem(std::string(70, 't'), "http://new/|", StatusCode::Unknown);
    values.visit = VisitCode::Visited;
    values.selected = false;
    values.previewHeight = 50;
    ASSERT_TRUE(list.EditItem(0, values));

    const ResultItem& item = list.Item(0);
    EXPECT_EQ(item.title, std::string(60, 't'));
    EXPECT_EQ(item.location, "http://new/");
    EXPECT_EQ(item.status, StatusCode::Unknown);
    EXPECT_EQ(item.visit, VisitCode::Visited);
    EXPECT_TRUE(item.selected);
    EXPECT_EQ(item.previewHeight, 0);
    EXPECT_TRUE(list.IsModified());
    EXPECT_TRUE(list.Locations().Contains("http://old/"));
    EXPECT_FALSE(list.Locations().Contains("http://new/"));
    EXPECT_FALSE(list.EditItem(1, values));
}

TEST(ResultListTest, SettersMarkModifiedAndRefuseBadCells) {
    ResultList list;
    list.AddItem(0, MakeItem("a", "http://a/"));
    struct Case {
        ResultCell cell;
        std::string text;
        bool accepted;
        std::string stored;
    };
    const Case cases[] = {
        {ResultCell::VerifyMark, "CHECKED", true, "CHECKED"},
        {ResultCell::VerifyMark, "checked", false, "CHECKED"},
        {ResultCell::VerifyMark, "NULL", true, "NULL"},
        {ResultCell::Title, std::string(100, 'x'), true, std::string(60, 'x')},
        {ResultCell::Location, std::string(300, 'l'), true, std::string(255, 'l')},
        {ResultCell::Preview, "a|b", true, "ab"},
        {ResultCell::Status, "x", false, ""},
        {ResultCell::Select, "x", false, ""},
    };
    for (const Case& c : cases) {
        list.ClearModified();
        EXPECT_EQ(list.SetCellText(0, c.cell, c.text), c.accepted);
        EXPECT_EQ(list.IsModified(), c.accepted);
        EXPECT_EQ(list.CellText(0, c.cell), c.stored);
    }
    EXPECT_FALSE(list.SetCellText(1, ResultCell::Title, "x"));
    EXPECT_EQ(list.CellText(1, ResultCell::Title), "");

    list.ClearModified();
    EXPECT_TRUE(list.SetStatus(0, StatusCode::Verifing));
    EXPECT_TRUE(list.IsModified());
    list.ClearModified();
    EXPECT_TRUE(list.SetVisit(0, VisitCode::Visited));
    EXPECT_TRUE(list.IsModified());
    EXPECT_EQ(list.Item(0).status, StatusCode::Verifing);
    EXPECT_EQ(list.Item(0).visit, VisitCode::Visited);
    EXPECT_FALSE(list.SetStatus(1, StatusCode::Normal));
    EXPECT_FALSE(list.SetSelected(1, true));
}

TEST(ResultListTest, DeletionsKeepTheSetAndFlagAsEachKindRequires) {
    struct Case {
        const char* name;
        bool (ResultList::*erase)(std::size_t);
        bool locationKept, modified;
    };
    const Case cases[] = {
        {"command", &ResultList::DeleteItem, false, true},
        {"verification", &ResultList::DeleteVerifiedItem, false, false},
        {"row only", &ResultList::RemoveRow, true, false},
    };
    for (const Case& c : cases) {
        ResultList list;
        list.AddItem(0, MakeItem("a", "http://a/", StatusCode::Normal, true));
        list.AddItem(1, MakeItem("b", "http://B/"));
        list.ClearModified();
        EXPECT_FALSE((list.*c.erase)(2)) << c.name;
        EXPECT_TRUE((list.*c.erase)(0)) << c.name;
        EXPECT_EQ(Locations(list), std::vector<std::string>{"http://B/"}) << c.name;
        EXPECT_EQ(list.Locations().Contains("http://a/"), c.locationKept) << c.name;
        EXPECT_TRUE(list.Locations().Contains("http://b/")) << c.name;
        EXPECT_EQ(list.IsModified(), c.modified) << c.name;
        EXPECT_EQ(list.SelectedCount(), 0u) << c.name;
    }
}

// A location longer than a cell is listed under its whole text; deleting its row must take
// that text out again, or the location would count as present for ever.
TEST(ResultListTest, DeletingARowWithACutLocationForgetsTheWholeLocation) {
    const std::string longLocation = "http://a/" + std::string(300, 'x');
    struct Case {
        const char* name;
        void (*remove)(ResultList&);
        bool wholeKept;
    };
    const Case cases[] = {
        {"delete", [](ResultList& l) { l.DeleteItem(0); }, false},
        {"delete by verification", [](ResultList& l) { l.DeleteVerifiedItem(0); }, false},
        {"delete selected",
         [](ResultList& l) {
             l.SetSelected(0, true);
             l.DeleteSelected();
         },
         false},
        {"title edited first",
         [](ResultList& l) {
             ResultItem values = l.Item(0);
             values.title = "new title";
             l.EditItem(0, values);
             l.DeleteItem(0);
         },
         false},
        {"location edited first: the old one stays, as for any edit",
         [](ResultList& l) {
             ResultItem values = l.Item(0);
             values.location = "http://edited/";
             l.EditItem(0, values);
             l.DeleteItem(0);
         },
         true},
    };
    for (const Case& c : cases) {
        ResultList list;
        list.AddItem(0, MakeItem("t", longLocation));
        ASSERT_EQ(list.CellText(0, ResultCell::Location).size(), ResultList::kCellTextLimit)
            << c.name;
        c.remove(list);
        EXPECT_EQ(list.Count(), 0u) << c.name;
        EXPECT_EQ(list.Locations().Contains(longLocation), c.wholeKept) << c.name;
        EXPECT_EQ(list.Locations().Size(), c.wholeKept ? 1u : 0u) << c.name;
        // Adding it again by hand is no duplicate unless the old text was kept.
        EXPECT_EQ(list.AddItemByHand(std::nullopt, MakeItem("t", longLocation)).alreadyListed,
                  c.wholeKept)
            << c.name;
    }
}

TEST(ResultListTest, DeleteSelectedRemovesEveryCheckedRowInOrder) {
    ResultList list;
    const bool checks[] = {true, true, false, true, false, false, true};
    for (std::size_t i = 0; i < std::size(checks); ++i) {
        list.AddItem(
            static_cast<std::ptrdiff_t>(i),
            MakeItem("t", "http://" + std::to_string(i) + "/", StatusCode::Normal, checks[i]));
    }
    list.ClearModified();
    EXPECT_EQ(list.DeleteSelected(), 4u);
    EXPECT_EQ(Locations(list), (std::vector<std::string>{"http://2/", "http://4/", "http://5/"}));
    EXPECT_EQ(list.RowValue(1), 4u);
    EXPECT_EQ(list.Locations().Size(), 3u);
    EXPECT_FALSE(list.Locations().Contains("http://3/"));
    EXPECT_TRUE(list.IsModified());
    EXPECT_FALSE(list.HasSelection());

    list.ClearModified();
    EXPECT_EQ(list.DeleteSelected(), 0u);
    EXPECT_FALSE(list.IsModified());
    EXPECT_EQ(list.Count(), 3u);
}

TEST(ResultListTest, DeleteAllEmptiesTheLocationSet) {
    ResultList list;
    list.Locations().Insert("http://left-over/");
    list.DeleteAll();
    EXPECT_EQ(list.Locations().Size(), 0u);
    EXPECT_FALSE(list.IsModified());

    list.AddItem(0, MakeItem("a", "http://a/", StatusCode::Normal, true));
    list.ClearModified();
    list.DeleteAll();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.Locations().Size(), 0u);
    EXPECT_TRUE(list.IsModified());
    EXPECT_FALSE(list.HasSelection());
}

TEST(ResultListTest, SelectionCommands) {
    const StatusCode statuses[] = {StatusCode::Reachable, StatusCode::Normal,
                                   StatusCode::Unreachable, StatusCode::Normal};
    const bool initial[] = {false, true, false, false};
    using Command = void (*)(ResultList&);
    struct Case {
        const char* name;
        Command run;
        std::vector<bool> expected;
        bool modified;
    };
    const Case cases[] = {
        {"select all", [](ResultList& l) { l.SelectAll(); }, {true, true, true, true}, true},
        {"unselect all",
         [](ResultList& l) { l.UnselectAll(); },
         {false, false, false, false},
         true},
        {"reverse", [](ResultList& l) { l.ReverseSelect(); }, {true, false, true, true}, true},
        {"reachable",
         [](ResultList& l) { l.SelectStatus(StatusCode::Reachable); },
         {true, true, false, false},
         true},
        {"normal",
         [](ResultList& l) { l.SelectStatus(StatusCode::Normal); },
         {false, true, false, true},
         true},
        {"unknown matches none",
         [](ResultList& l) { l.SelectStatus(StatusCode::Unknown); },
         {false, true, false, false},
         false},
        {"visited", [](ResultList& l) { l.SelectVisited(); }, {false, true, true, false}, true},
    };
    for (const Case& c : cases) {
        ResultList list;
        for (std::size_t i = 0; i < std::size(statuses); ++i) {
            ResultItem item = MakeItem("t", "l" + std::to_string(i), statuses[i], initial[i]);
            item.visit = i == 2 ? VisitCode::Visited : VisitCode::WithoutVisit;
            list.AddItem(static_cast<std::ptrdiff_t>(i), item);
        }
        list.ClearModified();
        c.run(list);
        std::vector<bool> checks;
        std::size_t count = 0;
        for (std::size_t row = 0; row < list.Count(); ++row) {
            checks.push_back(list.Item(row).selected);
            count += list.Item(row).selected ? 1 : 0;
        }
        EXPECT_EQ(checks, c.expected) << c.name;
        EXPECT_EQ(list.SelectedCount(), count) << c.name;
        EXPECT_EQ(list.IsModified(), c.modified) << c.name;
    }
}

TEST(ResultListTest, SelectedCountFollowsSingleChecks) {
    ResultList list;
    list.AddItem(0, MakeItem("a", "a"));
    list.AddItem(1, MakeItem("b", "b"));
    list.SetSelected(0, true);
    list.SetSelected(0, true);
    EXPECT_EQ(list.SelectedCount(), 1u);
    EXPECT_FALSE(list.AllSelected());
    list.SetSelected(1, true);
    EXPECT_TRUE(list.AllSelected());
    list.SetSelected(0, false);
    EXPECT_EQ(list.SelectedCount(), 1u);
}

TEST(ResultListTest, SummarizeCountsEveryCode) {
    ResultList list;
    const StatusCode statuses[] = {
        StatusCode::Reachable, StatusCode::Reachable,   StatusCode::Timeout,
        StatusCode::Unknown,   StatusCode::Unreachable, StatusCode::Verifing,
        StatusCode::Normal,    StatusCode::Normal,      StatusCode::Normal};
    for (std::size_t i = 0; i < std::size(statuses); ++i) {
        ResultItem item = MakeItem("t", "l" + std::to_string(i), statuses[i]);
        item.visit = i % 3 == 0 ? VisitCode::Visited : VisitCode::WithoutVisit;
        list.AddItem(static_cast<std::ptrdiff_t>(i), item);
    }
    const ResultList::Summary s = list.Summarize();
    EXPECT_EQ(s.reachable, 2u);
    EXPECT_EQ(s.timeout, 1u);
    EXPECT_EQ(s.unknown, 1u);
    EXPECT_EQ(s.unreachable, 1u);
    EXPECT_EQ(s.verifing, 1u);
    EXPECT_EQ(s.normal, 3u);
    EXPECT_EQ(s.visited, 3u);
    EXPECT_EQ(s.withoutVisit, 6u);
    EXPECT_EQ(s.Total(), 9u);
}

TEST(ResultListTest, CodeTexts) {
    const std::pair<int, std::string_view> cases[] = {
        {3, "Reachable"},   {4, "Timeout"},  {5, "Unknown"},
        {6, "Unreachable"}, {7, "Verifing"}, {8, "Without Visit"},
        {9, "Visited"},     {10, "Normal"},  {0, ""},
        {11, ""},
    };
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(CodeText(code), text) << code;
    }
}

// Records each notification with the row count the observer saw at that moment.
class RecordingObserver : public ResultListObserver {
  public:
    explicit RecordingObserver(const ResultList& list) : list_(list) {}
    std::vector<std::string> events;

    void RowsAboutToBeInserted(std::size_t first, std::size_t last) override {
        Note("about-insert", first, last);
    }
    void RowsInserted(std::size_t first, std::size_t last) override {
        Note("inserted", first, last);
    }
    void RowsAboutToBeRemoved(std::size_t first, std::size_t last) override {
        Note("about-remove", first, last);
    }
    void RowsRemoved(std::size_t first, std::size_t last) override { Note("removed", first, last); }
    void AboutToReset() override { Note("about-reset"); }
    void Reset() override { Note("reset"); }
    void RowsChanged(std::size_t first, std::size_t last) override { Note("changed", first, last); }
    void AboutToReorder() override { Note("about-reorder"); }
    void Reordered(std::span<const std::size_t> newRowOf) override {
        std::string text = "reordered";
        for (const std::size_t row : newRowOf) {
            text += " " + std::to_string(row);
        }
        Note(text);
    }

  private:
    void Note(const std::string& what, std::size_t first, std::size_t last) {
        Note(what + " " + std::to_string(first) + "-" + std::to_string(last));
    }
    void Note(const std::string& what) {
        events.push_back(what + " n=" + std::to_string(list_.Count()));
    }
    const ResultList& list_;
};

TEST(ResultListTest, ObserverHearsBeforeAndAfterEachChange) {
    ResultList list;
    RecordingObserver observer(list);
    list.SetObserver(&observer);
    list.AddItem(0, MakeItem("a", "a", StatusCode::Normal, true));
    list.AddItem(0, MakeItem("b", "b"));
    list.SetStatus(1, StatusCode::Reachable);
    list.SelectAll();
    list.DeleteItem(0);
    list.DeleteSelected();
    list.SetObserver(nullptr);
    list.AddItem(0, MakeItem("c", "c"));
    const std::vector<std::string> expected = {
        "about-insert 0-0 n=0", "inserted 0-0 n=1", "about-insert 0-0 n=1", "inserted 0-0 n=2",
        "changed 1-1 n=2",      "changed 0-1 n=2",  "about-remove 0-0 n=2", "removed 0-0 n=1",
        "about-remove 0-0 n=1", "removed 0-0 n=0",
    };
    EXPECT_EQ(observer.events, expected);
}

// Every source of many rows at once is heard as one range (or one reset), never row by row.
TEST(ResultListTest, BatchesAreHeardOnce) {
    ResultList list;
    list.AddItem(0, MakeItem("old", "http://old/"));
    RecordingObserver observer(list);
    list.SetObserver(&observer);

    std::vector<ResultItem> drained = {MakeItem("a", "http://a/"), MakeItem("b", "http://old/"),
                                       MakeItem("c", "http://c/")};
    EXPECT_EQ(list.AppendItems(drained), 3u) << "a drain adds duplicates as AddItem does";
    std::vector<PreparedItem> loaded;
    for (const char* location : {"http://a/", "http://d/", "http://e/"}) {
        loaded.emplace_back(MakeItem("l", location));
    }
    EXPECT_EQ(list.AppendPreparedItems(loaded, true), 2u) << "the listed location is skipped";
    std::vector<PreparedItem> none;
    none.emplace_back(MakeItem("x", "http://d/"));
    EXPECT_EQ(list.AppendPreparedItems(none, true), 0u);
    const std::vector<std::string> expected = {
        "about-insert 1-3 n=1",
        "inserted 1-3 n=4",
        "about-insert 4-5 n=4",
        "inserted 4-5 n=6",
    };
    EXPECT_EQ(observer.events, expected) << "nothing added, nothing heard";
    EXPECT_EQ(Locations(list), (std::vector<std::string>{"http://old/", "http://a/", "http://old/",
                                                         "http://c/", "http://d/", "http://e/"}));
    list.SetObserver(nullptr);
}

TEST(ResultListTest, DeleteSelectedIsHeardPerRunOrAsAReset) {
    struct Case {
        const char* name;
        std::size_t rows;
        std::vector<std::size_t> checked;
        std::vector<std::string> expected;
    };
    std::vector<std::size_t> scattered;
    for (std::size_t row = 0; row < 40; row += 2) {
        scattered.push_back(row);
    }
    const Case cases[] = {
        {"two runs, bottom up",
         8,
         {1, 2, 5},
         {"about-remove 5-5 n=8", "removed 5-5 n=7", "about-remove 1-2 n=7", "removed 1-2 n=5"}},
        {"everything is one run", 3, {0, 1, 2}, {"about-remove 0-2 n=3", "removed 0-2 n=0"}},
        {"many scattered runs reset", 40, scattered, {"about-reset n=40", "reset n=20"}},
        {"nothing checked, nothing heard", 3, {}, {}},
    };
    for (const Case& c : cases) {
        ResultList list;
        for (std::size_t row = 0; row < c.rows; ++row) {
            const std::string id = std::to_string(row);
            list.AddItem(static_cast<std::ptrdiff_t>(row), MakeItem(id, "http://" + id + "/"));
        }
        for (const std::size_t row : c.checked) {
            list.SetSelected(row, true);
        }
        RecordingObserver observer(list);
        list.SetObserver(&observer);
        EXPECT_EQ(list.DeleteSelected(), c.checked.size()) << c.name;
        EXPECT_EQ(observer.events, c.expected) << c.name;
        EXPECT_EQ(list.SelectedCount(), 0u) << c.name;
        EXPECT_EQ(list.Locations().Size(), c.rows - c.checked.size()) << c.name;
        list.SetObserver(nullptr);
    }
}

TEST(ResultListTest, DeleteAllIsOneReset) {
    ResultList list;
    list.AddItem(0, MakeItem("a", "http://a/"));
    list.AddItem(1, MakeItem("b", "http://b/"));
    RecordingObserver observer(list);
    list.SetObserver(&observer);
    list.DeleteAll();
    EXPECT_EQ(observer.events, (std::vector<std::string>{"about-reset n=2", "reset n=0"}));
    list.SetObserver(nullptr);
}

// Rows named by their title, with the other cells given; "" leaves a text empty.
struct SortRow {
    std::string title;
    std::string location;
    std::string target;
    StatusCode status;
    VisitCode visit;
    bool selected;
};

TEST(ResultListTest, SortsByEveryCellBothWays) {
    using S = StatusCode;
    using V = VisitCode;
    const std::vector<SortRow> rows = {
        {"r0", "http://b/", "Zeta", S::Normal, V::Visited, true},
        {"r1", "http://a/", "alpha", S::Reachable, V::WithoutVisit, false},
        {"r2", "http://B/", "", S::Unreachable, V::Visited, false},
        {"r3", "http://\xC3\xA9/", "Zeta", S::Unknown, V::WithoutVisit, true},
        {"r4", "http://a", "beta", S::Reachable, V::WithoutVisit, false},
    };
    struct Case {
        ResultCell cell;
        std::vector<std::string> ascending;
    };
    // Texts byte-wise (upper case before lower, a multi-byte letter last, the shorter prefix
    // first, empty first); pictures by code, 3 < 5 < 6 < 10; equal rows keep their order.
    const Case cases[] = {
        {ResultCell::Location, {"r2", "r4", "r1", "r0", "r3"}},
        {ResultCell::SearchTarget, {"r2", "r0", "r3", "r1", "r4"}},
        {ResultCell::Status, {"r1", "r4", "r3", "r2", "r0"}},
        {ResultCell::Visit, {"r1", "r3", "r4", "r0", "r2"}},
        {ResultCell::Select, {"r1", "r2", "r4", "r0", "r3"}},
        {ResultCell::Title, {"r0", "r1", "r2", "r3", "r4"}},
        {ResultCell::Preview, {"r0", "r1", "r2", "r3", "r4"}},
        {ResultCell::VerifyMark, {"r0", "r1", "r2", "r3", "r4"}},
    };
    // Descending reverses the order of unequal rows only.
    const std::vector<std::vector<std::string>> descending = {
        {"r3", "r0", "r1", "r4", "r2"}, {"r4", "r1", "r0", "r3", "r2"},
        {"r0", "r2", "r3", "r1", "r4"}, {"r0", "r2", "r1", "r3", "r4"},
        {"r0", "r3", "r1", "r2", "r4"}, {"r4", "r3", "r2", "r1", "r0"},
        {"r4", "r3", "r2", "r1", "r0"}, {"r0", "r1", "r2", "r3", "r4"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        for (const bool down : {false, true}) {
            ResultList list;
            for (const SortRow& row : rows) {
                ResultItem item = MakeItem(row.title, row.location, row.status, row.selected);
                item.searchTarget = row.target;
                item.visit = row.visit;
                list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), std::move(item));
            }
            list.ClearModified();
            list.Sort(cases[i].cell, down);
            const std::size_t cell = static_cast<std::size_t>(cases[i].cell);
            EXPECT_EQ(Titles(list), down ? descending[i] : cases[i].ascending)
                << "cell " << cell << (down ? " descending" : " ascending");
            EXPECT_EQ(list.SelectedCount(), 2u);
            EXPECT_EQ(list.Locations().Size(), 4u) << "two locations differ in case only";
            EXPECT_FALSE(list.IsModified()) << "a sort is no edit";
        }
    }
}

TEST(ResultListTest, ReorderIsHeardOnceWithEachRowsNewPlace) {
    ResultList list;
    for (const char* title : {"c", "a", "b"}) {
        list.AddItem(static_cast<std::ptrdiff_t>(list.Count()),
                     MakeItem(title, std::string("http://") + title + "/"));
    }
    RecordingObserver observer(list);
    list.SetObserver(&observer);
    list.Sort(ResultCell::Title, false);
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"about-reorder n=3", "reordered 2 0 1 n=3"}));
    EXPECT_EQ(list.RowValue(0), 1u) << "the per-row value travels with its row";
    list.SetObserver(nullptr);
}

TEST(ResultListTest, ApplyOrderRefusesWhatIsNoPermutation) {
    ResultList list;
    list.AddItem(0, MakeItem("a", "http://a/"));
    list.AddItem(1, MakeItem("b", "http://b/"));
    const std::vector<std::vector<std::size_t>> bad = {{0}, {0, 0}, {0, 2}, {1, 0, 2}};
    for (const auto& order : bad) {
        EXPECT_FALSE(list.ApplyOrder(order));
        EXPECT_EQ(Titles(list), (std::vector<std::string>{"a", "b"}));
    }
    EXPECT_TRUE(list.ApplyOrder(std::vector<std::size_t>{1, 0}));
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"b", "a"}));
}

TEST(SortMarkTest, ASecondClickOnTheSameColumnTurnsTheOrderRound) {
    SortMark mark;
    EXPECT_FALSE(mark.Current().has_value());
    const std::pair<ResultCell, bool> clicks[] = {
        {ResultCell::Title, false},    {ResultCell::Title, true},  {ResultCell::Title, false},
        {ResultCell::Location, false}, {ResultCell::Title, false}, {ResultCell::Title, true},
    };
    for (const auto& [cell, descending] : clicks) {
        const SortChoice expected{cell, descending};
        EXPECT_EQ(mark.Click(cell), expected);
        EXPECT_EQ(mark.Current(), expected);
    }
    mark.Clear();
    EXPECT_EQ(mark.Click(ResultCell::Title), (SortChoice{ResultCell::Title, false}));
}

// A row keeps its id through every change of the list, and a gone row's id names nothing, also
// once its storage is reused. Checked against a plain model over a long random run that crosses
// the point where the list counts its rows again.
TEST(ResultListTest, RowIdsFollowTheirRowsThroughEveryChange) {
    ResultList list;
    std::vector<std::pair<ResultList::RowId, std::string>> model;  // in list order
    std::vector<ResultList::RowId> gone;
    std::mt19937 random(7);
    int next = 0;
    auto pick = [&random](std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
    };
    auto add = [&](std::size_t position) {
        const std::string title = "t" + std::to_string(next++);
        const std::size_t row =
            list.AddItem(static_cast<std::ptrdiff_t>(position), MakeItem(title, "http://" + title))
                .row;
        model.insert(model.begin() + static_cast<std::ptrdiff_t>(row), {list.IdOf(row), title});
    };
    auto forget = [&](std::size_t position) {
        gone.push_back(model[position].first);
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(position));
    };
    for (int i = 0; i < 300; ++i) {
        add(list.Count());
    }
    for (int step = 0; step < 6000; ++step) {
        const std::size_t op = pick(100);
        if (op < 35 || model.empty()) {
            add(list.Count());
        } else if (op < 45) {
            add(pick(list.Count() + 1));
        } else if (op < 80) {
            const std::size_t row = pick(model.size());
            ASSERT_TRUE(list.DeleteVerifiedItem(row));
            forget(row);
        } else if (op < 90) {
            std::vector<ResultList::RowId> doomed;
            for (std::size_t row = model.size(); row-- > 0;) {
                if (pick(4) == 0) {
                    doomed.push_back(model[row].first);
                    forget(row);
                }
            }
            doomed.push_back(gone.front());  // already gone: passed over
            EXPECT_EQ(list.DeleteVerifiedItems(doomed), doomed.size() - 1);
        } else if (op < 95) {
            std::vector<bool> chosen(model.size());
            for (std::size_t row = 0; row < model.size(); ++row) {
                chosen[row] = pick(3) == 0;
                list.SetSelected(row, chosen[row]);
            }
            list.DeleteSelected();
            for (std::size_t row = model.size(); row-- > 0;) {
                if (chosen[row]) {
                    forget(row);
                }
            }
        } else {
            const bool down = pick(2) == 0;
            list.Sort(ResultCell::Title, down);
            std::stable_sort(model.begin(), model.end(), [down](const auto& a, const auto& b) {
                return down ? b.second < a.second : a.second < b.second;
            });
        }
        ASSERT_EQ(Titles(list).size(), model.size()) << step;
        if (step % 50 == 0 || op >= 95) {
            for (std::size_t row = 0; row < model.size(); ++row) {
                ASSERT_EQ(list.CellText(row, ResultCell::Title), model[row].second) << step;
                ASSERT_EQ(list.RowOf(model[row].first), row) << step;
            }
            for (const ResultList::RowId id : gone) {
                ASSERT_EQ(list.RowOf(id), std::nullopt) << step;
            }
        }
    }
    list.DeleteAll();
    list.AddItem(0, MakeItem("new", "http://new/"));
    for (const auto& [id, title] : model) {
        EXPECT_EQ(list.RowOf(id), std::nullopt) << "Delete All: " << title;
    }
    EXPECT_EQ(list.RowOf(list.IdOf(0)), 0u);
}

}  // namespace
}  // namespace quexa::core
