#include "core/location_set.h"

#include "core/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <random>
#include <set>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace quexa::core {
namespace {

std::string AsciiUpperForTest(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

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

// The word-at-a-time folding must fold exactly 'A' to 'Z', in every position of a word and of
// the tail, and leave the bytes next to them and every byte of 0x80 and above alone.
TEST(LocationSetTest, FoldsExactlyTheAsciiCapitalsInEveryPosition) {
    const unsigned char edges[] = {'@',  'A',  'M',  'Z',  '[',  '`',  'a',  'z', '{', 0x80,
                                   0xC1, 0xC3, 0xDA, 0xE1, 0xFA, 0xFF, 0x01, '0', '|'};
    for (std::size_t length = 1; length <= 19; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            LocationSet set;
            std::set<std::string> model;
            for (const unsigned char byte : edges) {
                std::string location(length, 'q');
                location[at] = static_cast<char>(byte);
                ASSERT_EQ(set.Insert(location), model.insert(AsciiLower(location)).second)
                    << length << " " << at << " " << int{byte};
            }
            for (const unsigned char byte : edges) {
                std::string probe(length, 'Q');
                probe[at] = static_cast<char>(byte);
                EXPECT_EQ(set.Contains(probe), model.count(AsciiLower(probe)) == 1)
                    << length << " " << at << " " << int{byte};
            }
        }
    }
}

// A run inserted at once answers exactly as the same locations inserted one by one, also for
// repeats inside the run and a run far larger than the table's first size.
TEST(LocationSetTest, InsertAllAgreesWithSingleInserts) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> keyOf(0, 9'000);
    std::vector<std::string> texts;
    for (int i = 0; i < 20'000; ++i) {
        const int key = keyOf(random);
        std::string location = "http://host/" + std::to_string(key) + "/Page";
        if (i % 3 == 0) {
            location = AsciiUpperForTest(location);
        }
        texts.push_back(i % 997 == 0 ? std::string() : location);
    }
    const struct {
        const char* name;
        std::size_t run;
    } cases[] = {
        {"one at a time", 1}, {"small runs", 7}, {"loader runs", 256}, {"one run", 20'000}};
    for (const auto& c : cases) {
        LocationSet single;
        LocationSet batched;
        single.Insert("http://host/5/page");
        batched.Insert("http://host/5/page");
        for (std::size_t start = 0; start < texts.size(); start += c.run) {
            const std::size_t count = std::min(c.run, texts.size() - start);
            std::vector<std::string_view> views(
                texts.begin() + static_cast<std::ptrdiff_t>(start),
                texts.begin() + static_cast<std::ptrdiff_t>(start + count));
            std::vector<std::uint64_t> hashes;
            for (const std::string_view view : views) {
                hashes.push_back(LocationSet::HashOf(view));
            }
            std::unique_ptr<bool[]> inserted(new bool[count]);
            batched.InsertAll(views, hashes, std::span(inserted.get(), count));
            for (std::size_t i = 0; i < count; ++i) {
                ASSERT_EQ(inserted[i], single.Insert(views[i])) << c.name << " " << start + i;
            }
        }
        EXPECT_EQ(batched.Size(), single.Size()) << c.name;
        for (int key = 0; key <= 9'000; key += 37) {
            const std::string probe = "HTTP://HOST/" + std::to_string(key) + "/PAGE";
            EXPECT_EQ(batched.Contains(probe), single.Contains(probe)) << c.name << " " << key;
        }
    }
}

// Removing in runs ends where removing one at a time ends: letter case ignored, absent and
// repeated locations harmless, the rest kept.
TEST(LocationSetTest, RemoveAllAgreesWithSingleRemoves) {
    std::vector<std::string> texts;
    for (int i = 0; i < 5'000; ++i) {
        texts.push_back("http://host/" + std::to_string(i) + "/page");
    }
    std::vector<std::string> doomed;
    for (int i = 0; i < 6'000; i += 3) {
        std::string location = "http://host/" + std::to_string(i) + "/page";
        doomed.push_back(i % 2 == 0 ? AsciiUpperForTest(location) : location);
    }
    doomed.push_back(doomed.front());
    for (const std::size_t run :
         {std::size_t{1}, std::size_t{9}, std::size_t{256}, doomed.size()}) {
        LocationSet single;
        LocationSet batched;
        for (const std::string& text : texts) {
            single.Insert(text);
            batched.Insert(text);
        }
        for (std::size_t start = 0; start < doomed.size(); start += run) {
            const std::size_t count = std::min(run, doomed.size() - start);
            const std::vector<std::string_view> views(
                doomed.begin() + static_cast<std::ptrdiff_t>(start),
                doomed.begin() + static_cast<std::ptrdiff_t>(start + count));
            batched.RemoveAll(views);
            for (const std::string_view view : views) {
                single.Remove(view);
            }
        }
        ASSERT_EQ(batched.Size(), single.Size()) << run;
        EXPECT_EQ(batched.Size(), 5'000U - 1'667U) << run;
        for (const std::string& text : texts) {
            EXPECT_EQ(batched.Contains(text), single.Contains(text)) << run << " " << text;
        }
    }
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
