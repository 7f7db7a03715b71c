#include "core/location_set.h"

#include "core/text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace quexa::core {
namespace {

TEST(LocationSetTest, IgnoresAsciiLetterCaseOnly) {
    LocationSet set;
    EXPECT_TRUE(set.Insert("HTTP://Example.com/A"));
    EXPECT_FALSE(set.Insert("http://example.COM/a"));
    EXPECT_TRUE(set.Contains("http://EXAMPLE.com/a"));
    // Only ASCII letters fold: É and é are different locations.
    EXPECT_TRUE(set.Insert("/srv/\xC3\x89t\xC3\xA9"));
    EXPECT_TRUE(set.Insert("/srv/\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(set.Size(), 3u);

    set.Remove("http://example.com/A");
    EXPECT_FALSE(set.Contains("http://example.com/a"));
    set.Remove("http://never-there/");
    EXPECT_EQ(set.Size(), 2u);
    set.Clear();
    EXPECT_EQ(set.Size(), 0u);
    EXPECT_FALSE(set.Contains("/srv/\xC3\xA9t\xC3\xA9"));
}

// Many inserts and removals over a small key space keep long probe runs busy; the set must
// agree with a plain ordered set after every step, also across growth and key compaction.
TEST(LocationSetTest, AgreesWithAPlainSetUnderChurn) {
    LocationSet set;
    std::set<std::string> model;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> keyOf(0, 30'000);
    std::uniform_int_distribution<int> action(0, 2);
    const auto location = [](int key) {
        return "http://host" + std::to_string(key % 37) + ".example/" + std::to_string(key) +
               "/Page-with-a-longer-name";
    };
    for (int step = 0; step < 120'000; ++step) {
        const std::string where = location(keyOf(random));
        const std::string lower = AsciiLower(where);
        switch (action(random)) {
            case 0:
            case 1:
                ASSERT_EQ(set.Insert(where), model.insert(lower).second) << step;
                break;
            default:
                set.Remove(where);
                model.erase(lower);
                break;
        }
        if (step % 10'000 == 0) {
            ASSERT_EQ(set.Size(), model.size()) << step;
        }
    }
    ASSERT_EQ(set.Size(), model.size());
    for (int key = 0; key <= 30'000; ++key) {
        ASSERT_EQ(set.Contains(location(key)), model.count(AsciiLower(location(key))) == 1) << key;
    }
    // Emptying the set forgets every key, however many there were.
    for (const std::string& key : model) {
        set.Remove(key);
    }
    EXPECT_EQ(set.Size(), 0u);
    EXPECT_FALSE(set.Contains(location(0)));
    EXPECT_TRUE(set.Insert(""));
    EXPECT_TRUE(set.Contains(""));
    EXPECT_FALSE(set.Insert(""));
}

TEST(LocationSetTest, ConcurrentInsertsAdmitEachLocationOnce) {
    LocationSet set;
    constexpr int kThreads = 4;
    constexpr int kLocations = 2000;
    std::atomic<int> admitted{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([&set, &admitted, t] {
            for (int i = 0; i < kLocations; ++i) {
                // Every worker finds the same locations, in its own letter case.
                std::string location = "http://site/" + std::to_string(i);
                if (t % 2 == 1) {
                    location[0] = 'H';
                }
                if (set.Insert(location)) {
                    admitted.fetch_add(1);
                }
                if (i % 7 == 0) {
                    set.Remove("http://site/" + std::to_string(i / 2) + "/gone");
                }
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(admitted.load(), kLocations);
    EXPECT_EQ(set.Size(), static_cast<std::size_t>(kLocations));
}

}  // namespace
}  // namespace quexa::core
