#include "files/container_key.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace quexa::files {
namespace {

std::string Hex(const Key& key) {
    std::string out;
    for (const std::uint8_t byte : key) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", byte);
        out += pair;
    }
    return out;
}

// Digests computed once with sha1sum over the exact bytes.
TEST(ContainerKeyTest, DerivesSha1OfTheMaterial) {
    struct Case {
        std::string text, sha1;
    };
    const Case cases[] = {
        {"", "4f962473ba3207c0c85a961b7fdd7742affa80f1"},             // BrindleMoss
        {"BrindleMoss", "44bd051e81174b258b8e776934ccb03e0cb9c570"},  // written twice
        {"brindlemoss", "225cf2fbdcda5ca3edc7c1ecbbe35553073dd567"},  // case matters
        {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"p\xC3\xA4ssword", "23b74494475f5f874980b7676d511e23d886da64"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(DeriveKey(c.text)), c.sha1) << c.text;
    }
    EXPECT_EQ(DefaultKey(), DeriveKey(""));
    EXPECT_NE(DeriveKey(kDefaultKeyMaterial), DefaultKey());
}

TEST(ContainerKeyTest, ScramblingTwiceRestoresEveryByte) {
    std::string bytes;
    for (int i = 0; i < 700; ++i) {
        bytes += static_cast<char>(i * 37);
    }
    for (const std::size_t length : {1u, 3u, 7u, 8u, 13u, 16u, 20u}) {
        std::string copy = bytes;
        Scramble(copy, DefaultKey(), length);
        EXPECT_NE(copy, bytes);
        for (std::size_t i = 0; i < copy.size(); ++i) {
            ASSERT_EQ(static_cast<std::uint8_t>(copy[i] ^ bytes[i]), DefaultKey()[i % length])
                << "length " << length << " byte " << i;
        }
        Scramble(copy, DefaultKey(), length);
        EXPECT_EQ(copy, bytes);
    }
}

TEST(ContainerKeyTest, InputsShorterThanTheKeyAndOfAnyLengthAreScrambledByteForByte) {
    for (const std::size_t size : {0u, 1u, 5u, 19u, 39u, 41u, 159u, 161u, 622u}) {
        for (const std::size_t length : {3u, 20u}) {
            std::string bytes(size, '\x5A');
            Scramble(bytes, DefaultKey(), length);
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                ASSERT_EQ(static_cast<std::uint8_t>(bytes[i] ^ 0x5A), DefaultKey()[i % length])
                    << "size " << size << " length " << length << " byte " << i;
            }
        }
    }
}

TEST(ContainerKeyTest, DamagedKeyLengthFallsBackToTheWholeKey) {
    for (const std::size_t length : {0u, 21u, 4000000000u}) {
        std::string bytes(45, '\0');
        Scramble(bytes, DefaultKey(), length);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            ASSERT_EQ(static_cast<std::uint8_t>(bytes[i]), DefaultKey()[i % kKeySize])
                << "length " << length << " byte " << i;
        }
    }
}

}  // namespace
}  // namespace quexa::files
