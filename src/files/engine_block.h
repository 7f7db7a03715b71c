#pragma once

#include <array>
#include <cstddef>
#include <filesystem>

// An engine file is one scrambled block; it is shipped data, so reading never alters the file.
namespace quexa::files {

inline constexpr std::size_t kEngineBlockSize = 1600;

// Reads the first block of the file and descrambles it with the default key. The file is opened
// for reading only. True only when the whole block was read; the buffer may be partly filled
// otherwise.
bool ReadEngineBlock(const std::filesystem::path& path, std::array<char, kEngineBlockSize>& buffer);

// Scrambles a copy of the plain block and writes it as the whole file (created or truncated),
// making missing parent folders. True only when every byte reached the file.
bool WriteEngineBlock(const std::filesystem::path& path,
                      const std::array<char, kEngineBlockSize>& plain);

}  // namespace quexa::files
