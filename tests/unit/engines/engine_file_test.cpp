// Engine records on disk, the readable source form and the definitions built from them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engines/engine_definition.h"
#include "engines/engine_record.h"
#include "engines/engine_source.h"
#include "engines/search_url.h"
#include "files/engine_block.h"

namespace quexa::engines {
namespace {

namespace fs = std::filesystem;

class EngineFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quexa-engine-test-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
};

constexpr const char* kSource =
    "# a comment\n"
    "name=Example\r\n"
    "website=http://www.example.org/\n"
    "url_rules=<URL>q=*URL*&</URL>\n"
    "item_templates=<li>*TITLE*|*URL*|*PREVIEW*</li>*&*<p>*URL* *TITLE* *PREVIEW*</p>\n"
    "next_page_templates=<a class=\"n\" href=\"*URL*\">\n"
    "next_page_root=http://www.example.org\n"
    "search_url=http://www.example.org/s?q=_QUERY_&amp;p=*PAGE_NUMBER*\n"
    "reserved_2=0102030405060708090a\n";

TEST_F(EngineFileTest, SourcePacksAndReadsBack) {
    EngineRecord record;
    std::string error;
    ASSERT_TRUE(EngineSource::Parse(kSource, record, error)) << error;
    const fs::path file = dir_ / "Global" / "example.qzf";
    ASSERT_TRUE(files::WriteEngineBlock(file, record.bytes()));
    EXPECT_EQ(fs::file_size(file), EngineRecord::kSize);

    EngineRecord read;
    ASSERT_TRUE(ReadEngineRecord(file, read));
    EXPECT_EQ(read.bytes(), record.bytes());
    EXPECT_EQ(std::string(read.bytes().data(), 4), "QZRA");
    EXPECT_EQ(read.Text(EngineRecord::kName), "Example");
    EXPECT_EQ(read.Text(EngineRecord::kNextPageRoot), "http://www.example.org");

    // What show prints packs into the same record.
    EngineRecord again;
    ASSERT_TRUE(EngineSource::Parse(EngineSource::Format(read), again, error)) << error;
    EXPECT_EQ(again.bytes(), record.bytes());

    const auto definition =
        BuildEngineDefinition(read, "a query that is much longer than forty-nine bytes in all", 25);
    EXPECT_EQ(definition->name, "Example");
    EXPECT_EQ(definition->query.size(), 49u);
    EXPECT_EQ(definition->returnNumber, 25);
    EXPECT_EQ(definition->reserved2[9], '\x0a');
    EXPECT_EQ(definition->itemTemplates,
              "<li>*TITLE*|*URL*|*PREVIEW*</li>*&*<p>*URL* *TITLE* *PREVIEW*</p>");
}

TEST_F(EngineFileTest, RecordLengthDecidesReadability) {
    EngineRecord record;
    ASSERT_TRUE(record.SetText(EngineRecord::kName, "Sized"));
    const fs::path packed = dir_ / "packed.qzf";
    ASSERT_TRUE(files::WriteEngineBlock(packed, record.bytes()));
    std::string scrambled(EngineRecord::kSize, '\0');
    std::ifstream(packed, std::ios::binary).read(scrambled.data(), EngineRecord::kSize);

    struct Case {
        std::size_t size;
        bool readable;
    };
    for (const Case c : {Case{1599, false}, Case{1600, true}, Case{1700, true}, Case{0, false}}) {
        const fs::path file = dir_ / ("e" + std::to_string(c.size) + ".qzf");
        std::string bytes = scrambled;
        bytes.resize(c.size, 'x');
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        EngineRecord read;
        EXPECT_EQ(ReadEngineRecord(file, read), c.readable) << c.size;
        if (c.readable) {
            EXPECT_EQ(read.Text(EngineRecord::kName), "Sized");
        }
    }
    EngineRecord missing;
    EXPECT_FALSE(ReadEngineRecord(dir_ / "none.qzf", missing));
}

TEST(EngineRecordTest, FieldsWithoutTerminatorStayInsideTheirField) {
    EngineRecord record;
    record.bytes().fill('A');
    EXPECT_EQ(record.Text(EngineRecord::kName), std::string(49, 'A'));
    EXPECT_EQ(record.Text(EngineRecord::kSearchUrl), std::string(254, 'A'));
    const auto definition = BuildEngineDefinition(record, "q", 10);
    EXPECT_EQ(definition->searchUrl.size(), 254u);
    EXPECT_EQ(definition->reserved3, 'A');
}

TEST(EngineSourceTest, RejectsBadLines) {
    struct Case {
        std::string text, error;
    };
    const Case cases[] = {
        {"name=a\nbogus=1\n", "line 2: expected one of the keys"},
        {"name=a\nname=b\n", "line 2: name is given twice"},
        {"name=" + std::string(50, 'n') + "\n", "line 1: name is 50 bytes long; at most 49 fit"},
        {"name=a\nreserved_3=zz\n", "line 2: reserved_3 needs exactly 2 hexadecimal digits"},
        {"website=x\n", "the engine has no name"},
        {"no equals sign\n", "line 1: expected"},
    };
    for (const auto& c : cases) {
        EngineRecord record;
        std::string error;
        EXPECT_FALSE(EngineSource::Parse(c.text, record, error)) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
    EngineRecord record;
    std::string error;
    EXPECT_TRUE(EngineSource::Parse("name=" + std::string(49, 'n'), record, error)) << error;
}

TEST(SearchUrlTest, PagesAndQuery) {
    struct Case {
        std::string url, query;
        bool numbered;
        int first;
        std::string firstUrl, secondUrl;
    };
    const Case cases[] = {
        {"http://e.org/?q=_QUERY_&amp;p=*PAGE_NUMBER*", "  news game  ", true, 1,
         "http://e.org/?q=news game&p=1", "http://e.org/?q=news game&p=2"},
        {"http://e.org/?p=*PAGE_NUMBER*</PAGE_NUMBER_BASE_ZERO/>&q=_QUERY_", "x", true, 0,
         "http://e.org/?p=0&q=x", "http://e.org/?p=1&q=x"},
        {"http://e.org/?q=_QUERY_&f=_QUERY_", "a&b", false, 1, "http://e.org/?q=a&b&f=a&b",
         "http://e.org/?q=a&b&f=a&b"},
        {"http://e.org/</PAGE_NUMBER_BASE_ZERO/>?q=_QUERY_", "y", false, 1,
         "http://e.org/</PAGE_NUMBER_BASE_ZERO/>?q=y",
         "http://e.org/</PAGE_NUMBER_BASE_ZERO/>?q=y"},
        {"http://e.org/?s=*PAGE_NUMBER*&e=*PAGE_NUMBER*", "z", true, 1, "http://e.org/?s=1&e=1",
         "http://e.org/?s=2&e=2"},
        // A "#" of the query would end the URL's query part; the template's own stays.
        {"http://e.org/?q=_QUERY_&amp;p=*PAGE_NUMBER*#top", "c# tutorial #1", true, 1,
         "http://e.org/?q=c%23 tutorial %231&p=1#top",
         "http://e.org/?q=c%23 tutorial %231&p=2#top"},
    };
    for (const auto& c : cases) {
        const SearchUrl url(c.url, c.query);
        EXPECT_EQ(url.PagesByNumber(), c.numbered) << c.url;
        EXPECT_EQ(url.FirstPage(), c.first) << c.url;
        EXPECT_EQ(url.FirstPageUrl(), c.firstUrl) << c.url;
        EXPECT_EQ(url.PageUrl(url.FirstPage() + 1), c.secondUrl) << c.url;
    }
    const SearchUrl longUrl(std::string(250, 'u') + "_QUERY_", "abcdefghij");
    EXPECT_EQ(longUrl.url().size(), 255u);
}

TEST(SearchUrlTest, PageIntervalMarkerIsTakenOut) {
    struct Case {
        std::string url;
        int seconds;
        std::string rest;
    };
    const Case cases[] = {
        {"</PAGE_INTERVAL_3/>http://e.org/?q=x", 3, "http://e.org/?q=x"},
        {"http://e.org/?q=x</PAGE_INTERVAL_1/>&p=</PAGE_INTERVAL_2/>", 2, "http://e.org/?q=x&p="},
        {"http://e.org/</PAGE_INTERVAL_999/>", SearchUrl::kMaxPageInterval, "http://e.org/"},
        {"http://e.org/</PAGE_INTERVAL_/>", 0, "http://e.org/</PAGE_INTERVAL_/>"},
        {"http://e.org/</PAGE_INTERVAL_5x/>", 0, "http://e.org/</PAGE_INTERVAL_5x/>"},
        {"http://e.org/</PAGE_INTERVAL_4", 0, "http://e.org/</PAGE_INTERVAL_4"},
        {"</PAGE_INTERVAL_</PAGE_INTERVAL_7/>/>", 7, "</PAGE_INTERVAL_/>"},
        {"http://e.org/", 0, "http://e.org/"},
    };
    for (const auto& c : cases) {
        std::string url = c.url;
        EXPECT_EQ(SearchUrl::TakePageInterval(url), c.seconds) << c.url;
        EXPECT_EQ(url, c.rest) << c.url;
    }
    const SearchUrl url("</PAGE_INTERVAL_3/>http://e.org/?s=*PAGE_NUMBER*", "q");
    EXPECT_EQ(url.PageIntervalSeconds(), 3);
    EXPECT_EQ(url.PageUrl(2), "http://e.org/?s=2");
}

}  // namespace
}  // namespace quexa::engines
