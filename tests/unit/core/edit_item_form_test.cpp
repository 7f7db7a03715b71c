#include "core/edit_item_form.h"

#include <gtest/gtest.h>

#include <string>

namespace quexa::core {
namespace {

TEST(EditItemFormTest, AddStartsEmptyWithDefaults) {
    const EditItemForm form;
    EXPECT_FALSE(form.OkEnabled());
    EXPECT_EQ(form.StatusChoice(), 0u);
    EXPECT_EQ(form.VisitChoice(), 0u);
    const ResultItem values = form.Values();
    EXPECT_EQ(values.status, StatusCode::Normal);
    EXPECT_EQ(values.visit, VisitCode::WithoutVisit);
}

TEST(EditItemFormTest, OkNeedsTitleAndLocation) {
    struct Case {
        std::string title, location;
        bool ok;
    };
    const Case cases[] = {
        {"", "", false}, {"t", "", false}, {"", "l", false}, {"t", "l", true}, {" ", " ", true},
    };
    for (const Case& c : cases) {
        EditItemForm form;
        form.SetTitle(c.title);
        form.SetLocation(c.location);
        EXPECT_EQ(form.OkEnabled(), c.ok) << "'" << c.title << "' '" << c.location << "'";
    }
}

TEST(EditItemFormTest, FieldsKeepTheirLimits) {
    EditItemForm form;
    form.SetTitle(std::string(59, 't') + "\xC3\xA9");
    form.SetLocation(std::string(300, 'l'));
    form.SetTarget(std::string(80, 'g'));
    form.SetPreview(std::string(400, 'p'));
    EXPECT_EQ(form.Title(), std::string(59, 't'));
    EXPECT_EQ(form.Location(), std::string(255, 'l'));
    EXPECT_EQ(form.Target(), std::string(50, 'g'));
    EXPECT_EQ(form.Preview(), std::string(255, 'p'));
}

TEST(EditItemFormTest, StatusAndVisitChangeOnlyWhenPicked) {
    struct Case {
        StatusCode status;
        VisitCode visit;
        std::size_t statusShown, visitShown;
    };
    const Case cases[] = {
        {StatusCode::Normal, VisitCode::WithoutVisit, 0, 0},
        {StatusCode::Reachable, VisitCode::Visited, 1, 1},
        {StatusCode::Unreachable, VisitCode::WithoutVisit, 2, 0},
        {StatusCode::Unknown, VisitCode::Visited, 3, 1},
        {StatusCode::Verifing, VisitCode::Visited, 0, 1},
        {StatusCode::Timeout, static_cast<VisitCode>(0), 0, 0},
    };
    for (const Case& c : cases) {
        ResultItem item;
        item.title = "Long title kept whole " + std::string(60, 'x');
        item.location = "http://a/";
        item.searchTarget = std::string(70, 'g');
        item.status = c.status;
        item.visit = c.visit;
        EditItemForm form(item);
        EXPECT_EQ(form.StatusChoice(), c.statusShown) << static_cast<int>(c.status);
        EXPECT_EQ(form.VisitChoice(), c.visitShown) << static_cast<int>(c.status);

        // Untouched, the item comes back as it was, texts not cut.
        ResultItem values = form.Values();
        EXPECT_EQ(values.status, c.status);
        EXPECT_EQ(values.visit, c.visit);
        EXPECT_EQ(values.title, item.title);
        EXPECT_EQ(values.searchTarget, item.searchTarget);

        form.PickStatus(2);
        form.PickVisit(0);
        form.PickStatus(9);
        values = form.Values();
        EXPECT_EQ(values.status, StatusCode::Unreachable);
        EXPECT_EQ(values.visit, VisitCode::WithoutVisit);
    }
}

}  // namespace
}  // namespace quexa::core
