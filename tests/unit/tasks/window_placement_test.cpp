#include "tasks/window_placement.h"

#include <gtest/gtest.h>

#include "core/memory_profile.h"

namespace quexa::tasks {
namespace {

TEST(WindowPlacementTest, AnEmptyProfileOpensAtTheOriginSized640By480) {
    core::MemoryProfile profile;
    const WindowPlacement placement = WindowPlacement::Read(profile);
    EXPECT_EQ(placement, (WindowPlacement{0, 0, 640, 480, false}));
    EXPECT_EQ(placement.Width(), 640);
    EXPECT_EQ(placement.Height(), 480);
}

TEST(WindowPlacementTest, ClosingKeepsTheLastNormalRectangle) {
    const WindowPlacement normal{10, 20, 810, 620, false};
    const WindowPlacement elsewhere{-5, 0, 1000, 900, false};
    const struct {
        const char* name;
        bool minimized;
        bool maximized;
        WindowPlacement read;
    } cases[] = {
        {"normal", false, false, {-5, 0, 1000, 900, false}},
        {"maximized", false, true, {10, 20, 810, 620, true}},
        {"minimized", true, false, {10, 20, 810, 620, false}},
    };
    for (const auto& c : cases) {
        core::MemoryProfile profile;
        normal.Store(profile, false, false);
        elsewhere.Store(profile, c.minimized, c.maximized);
        EXPECT_EQ(WindowPlacement::Read(profile), c.read) << c.name;
    }
}

}  // namespace
}  // namespace quexa::tasks
