#include "web/page_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace quexa::web {
namespace {

constexpr std::size_t kChunk = PageBuffer::kChunkSize;

// The body fed in pieces of the given size, as the network might deliver it.
std::string Read(const std::string& body, std::size_t piece, std::size_t cap = 1 << 20) {
    PageBuffer page(cap);
    for (std::size_t pos = 0; pos < body.size(); pos += piece) {
        if (!page.Append(std::string_view(body).substr(pos, piece))) {
            break;
        }
    }
    return std::string(page.Text());
}

TEST(PageBufferTest, NulEndsTheTextOfItsChunkOnly) {
    std::string body(kChunk * 3, 'a');
    body[10] = '\0';              // first chunk keeps 10 bytes
    body[kChunk + 5] = '\0';      // second chunk keeps 5
    body[kChunk + 6] = '\0';      // a second NUL in the same chunk changes nothing
    body[kChunk * 3 - 1] = '\0';  // the last byte of the third chunk
    const std::string expected =
        std::string(10, 'a') + std::string(5, 'a') + std::string(kChunk - 1, 'a');
    for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, kChunk - 1, kChunk, kChunk + 1,
                                    std::size_t{16384}, body.size()}) {
        EXPECT_EQ(Read(body, piece), expected) << "piece " << piece;
    }
}

TEST(PageBufferTest, AChunkOfExactlyTheChunkSizeIsReadWhole) {
    const std::string body(kChunk, 'b');
    EXPECT_EQ(Read(body, kChunk), body);
    std::string withNulAtStartOfNext = body + std::string(1, '\0') + "tail";
    EXPECT_EQ(Read(withNulAtStartOfNext, 100), body);
}

TEST(PageBufferTest, ReadingStopsAtTheCap) {
    PageBuffer page(10);
    EXPECT_TRUE(page.Append("12345"));
    EXPECT_FALSE(page.Append("67890abc"));
    EXPECT_TRUE(page.Full());
    EXPECT_EQ(page.Text(), "1234567890");
    EXPECT_EQ(page.BytesRead(), 10u);
    EXPECT_FALSE(page.Append("more"));
    EXPECT_EQ(page.Text(), "1234567890");
    page.Clear();
    EXPECT_TRUE(page.Append("x"));
    EXPECT_EQ(page.Text(), "x");
}

TEST(PageBufferTest, CapCountsBytesReadNotText) {
    std::string body(40, 'c');
    body[0] = '\0';
    EXPECT_EQ(Read(body, 3, 20), "");
    EXPECT_EQ(PageBuffer::kDefaultCap, 8u * 1024 * 1024);
}

}  // namespace
}  // namespace quexa::web
