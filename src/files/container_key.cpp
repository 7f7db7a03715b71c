#include "files/container_key.h"

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace quexa::files {

Key DeriveKey(std::string_view text) {
    std::string material(text);
    if (text == kDefaultKeyMaterial) {
        material += text;
    } else if (text.empty()) {
        material = kDefaultKeyMaterial;
    }
    Key key{};
    unsigned int length = 0;
    EVP_Digest(material.data(), material.size(), key.data(), &length, EVP_sha1(), nullptr);
    return key;
}

const Key& DefaultKey() {
    static const Key key = DeriveKey({});
    return key;
}

// The key repeated over a period of whole 8-byte words is XORed a word at a time: records are
// scrambled by the hundred thousand when a large list is saved or loaded.
void Scramble(std::span<char> bytes, const Key& key, std::size_t keyLength) {
    if (keyLength == 0 || keyLength > key.size()) {
        keyLength = key.size();
    }
    constexpr std::size_t kWord = sizeof(std::uint64_t);
    // The lowest set bit of the length is its greatest common divisor with 8, at most 8.
    const std::size_t period = keyLength * kWord / std::min(keyLength & (~keyLength + 1), kWord);
    std::array<std::uint64_t, kKeySize> pattern{};
    std::array<unsigned char, kKeySize * kWord> patternBytes{};
    for (std::size_t filled = 0; filled < period; filled += keyLength) {
        std::memcpy(patternBytes.data() + filled, key.data(), keyLength);
    }
    std::memcpy(pattern.data(), patternBytes.data(), period);
    const std::size_t words = period / kWord;
    std::size_t offset = 0;
    for (; offset + period <= bytes.size(); offset += period) {
        char* block = bytes.data() + offset;
        for (std::size_t w = 0; w < words; ++w) {
            std::uint64_t value = 0;
            std::memcpy(&value, block + w * kWord, kWord);
            value ^= pattern[w];
            std::memcpy(block + w * kWord, &value, kWord);
        }
    }
    for (std::size_t i = 0; offset + i < bytes.size(); ++i) {
        bytes[offset + i] =
            static_cast<char>(static_cast<unsigned char>(bytes[offset + i]) ^ patternBytes[i]);
    }
}

}  // namespace quexa::files
