#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The scrambling key of result files and engine files, and the password check values.
namespace quexa::files {

inline constexpr std::size_t kKeySize = 20;
inline constexpr std::string_view kDefaultKeyMaterial = "BrindleMoss";

using Key = std::array<std::uint8_t, kKeySize>;

// SHA-1 of the text; the empty text stands for the default material, and the default material
// itself is doubled so that it never yields the same value as no password.
Key DeriveKey(std::string_view text);
const Key& DefaultKey();

// XORs byte i with key byte i mod keyLength; applying it twice restores the bytes. A key length
// of 0 or above the key size (a damaged header) falls back to the whole key.
void Scramble(std::span<char> bytes, const Key& key, std::size_t keyLength = kKeySize);

}  // namespace quexa::files
