#include "files/container_header.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace quexa::files {
namespace {

std::string Slice(const ContainerHeader& header, std::size_t offset, std::size_t width) {
    return std::string(header.RawBytes().data() + offset, width);
}

TEST(ContainerHeaderTest, DefaultHeaderBytes) {
    const ContainerHeader header;
    std::string expected(kHeaderSize, '\0');
    expected.replace(0, 4, "QZRA");
    expected[400] = 'A';
    expected[429] = 'A';
    expected[434] = 20;
    const Key& key = DefaultKey();
    expected.replace(438, kKeySize, std::string(key.begin(), key.end()));
    EXPECT_EQ(Slice(header, 0, kHeaderSize), expected);
    EXPECT_EQ(header.Magic(), "QZR");
    EXPECT_EQ(header.KeyLength(), 20u);
    EXPECT_EQ(header.CheckValue(), DefaultKey());
}

TEST(ContainerHeaderTest, NumbersAreLittleEndianAtTheirOffsets) {
    struct Case {
        std::size_t offset;
        std::function<void(ContainerHeader&, std::uint32_t)> set;
        std::function<std::uint32_t(const ContainerHeader&)> get;
    };
    const Case cases[] = {
        {425, &ContainerHeader::SetRecordCount, &ContainerHeader::RecordCount},
        {430, &ContainerHeader::SetRecordOffset, &ContainerHeader::RecordOffset},
        {434, &ContainerHeader::SetKeyLength, &ContainerHeader::KeyLength},
    };
    for (const auto& c : cases) {
        ContainerHeader header;
        c.set(header, 0xF1020304u);
        EXPECT_EQ(Slice(header, c.offset, 4), "\x04\x03\x02\xF1") << c.offset;
        EXPECT_EQ(c.get(header), 0xF1020304u) << c.offset;
    }
}

TEST(ContainerHeaderTest, TextFieldsKeepBoundedCopies) {
    struct Case {
        std::size_t offset, width;
        std::function<void(ContainerHeader&, std::string_view)> set;
        std::function<std::string(const ContainerHeader&)> get;
    };
    const Case cases[] = {
        {4, 60, &ContainerHeader::SetKeywords, &ContainerHeader::Keywords},
        {64, 5, &ContainerHeader::SetStateFileName, &ContainerHeader::StateFileName},
        {69, 75, &ContainerHeader::SetSearchTarget, &ContainerHeader::SearchTarget},
        {144, 256, &ContainerHeader::SetNote, &ContainerHeader::Note},
        {405, 20, &ContainerHeader::SetAuthor, &ContainerHeader::Author},
    };
    for (const auto& c : cases) {
        ContainerHeader header;
        const ContainerHeader before = header;
        c.set(header, std::string(c.width + 10, 'x'));
        EXPECT_EQ(c.get(header), std::string(c.width - 1, 'x')) << c.offset;
        EXPECT_EQ(header.RawBytes()[c.offset + c.width - 1], '\0') << c.offset;

        // Two-byte characters: the cut never splits one.
        std::string accents;
        while (accents.size() < c.width) {
            accents += "\xC3\xA9";
        }
        c.set(header, "a" + accents);
        const std::string stored = c.get(header);
        EXPECT_LE(stored.size(), c.width - 1) << c.offset;
        EXPECT_EQ(stored.size() % 2, 1u) << c.offset;

        c.set(header, "ab");
        EXPECT_EQ(c.get(header), "ab") << c.offset;
        EXPECT_EQ(Slice(header, c.offset + 2, c.width - 2), std::string(c.width - 2, '\0'));

        c.set(header, "");
        EXPECT_EQ(header.RawBytes(), before.RawBytes()) << "neighbours touched at " << c.offset;
    }
}

TEST(ContainerHeaderTest, AFullFieldIsReadOnlyToItsWidth) {
    ContainerHeader header;
    header.RawBytes().fill('z');
    EXPECT_EQ(header.StateFileName(), "zzzzz");
    EXPECT_EQ(header.Author(), std::string(20, 'z'));
}

}  // namespace
}  // namespace quexa::files
