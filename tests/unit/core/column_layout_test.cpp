#include "core/column_layout.h"

#include <gtest/gtest.h>

namespace quexa::core {
namespace {

TEST(ColumnLayoutTest, FormatsWidthsThenShownOrder) {
    const ColumnLayout layout({120, 200, -1, 60}, {3, 0, 1});
    EXPECT_EQ(layout.Format(), "(4,3) 120 200 -1 60 3 0 1");
    EXPECT_EQ(ColumnLayout::Parse(layout.Format()), layout);
    EXPECT_EQ(ColumnLayout().Format(), "(0,0)");
}

TEST(ColumnLayoutTest, ParseTakesWhatTheFormatWritesAndNothingBroken) {
    struct Case {
        const char* text;
        bool parses;
    };
    const Case cases[] = {
        {"(2,1) 10 20 1", true},    {"( 2, 1)10\t20\n1 ", true},
        {"(2,0) 10 20", true},      {"(0,0)", true},
        {"(2,2) 10 20 1 1", false},                                // a column shown twice
        {"(2,1) 10 20 2", false},                                  // no column 2
        {"(2,1) 10 20 -1", false},  {"(2,3) 10 20 0 1 0", false},  // more shown than defined
        {"(2,1) 10 20", false},                                    // numbers missing
        {"(2,1) 10 20 1 7", false},                                // numbers left over
        {"(2,1) 10 x 1", false},    {"(-1,0)", false},
        {"(129,0)", false},         {"(99999999999,1) 1", false},
        {" (2,1) 10 20 1", false},  {"(2;1) 10 20 1", false},
        {"(2,1 10 20 1", false},    {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColumnLayout::Parse(c.text).has_value(), c.parses) << c.text;
    }
    const auto parsed = ColumnLayout::Parse("( 2, 1)10\t20\n1 ");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->widths(), (std::vector<int>{10, 20}));
    EXPECT_EQ(parsed->order(), (std::vector<int>{1}));
}

TEST(ColumnLayoutTest, AcceptedOnlyForTheControlsColumnCountWithAColumnShown) {
    struct Case {
        const char* text;
        std::size_t columns;
        bool accepted;
    };
    const Case cases[] = {
        {"(8,8) 1 2 3 4 5 6 7 8 7 6 5 4 3 2 1 0", 8, true},
        {"(8,1) 1 2 3 4 5 6 7 8 4", 8, true},
        {"(7,7) 1 2 3 4 5 6 7 6 5 4 3 2 1 0", 8, false},  // another column count
        {"(8,0) 1 2 3 4 5 6 7 8", 8, false},              // nothing shown
        {"(8,1) 1 2 3 4 5 6 7 8 9", 8, false},            // broken
        {"", 8, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColumnLayout::Load(c.text, c.columns).has_value(), c.accepted) << c.text;
    }
}

}  // namespace
}  // namespace quexa::core
