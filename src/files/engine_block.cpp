#include "files/engine_block.h"

#include <fstream>
#include <span>
#include <system_error>

#include "files/container_key.h"

namespace quexa::files {

bool ReadEngineBlock(const std::filesystem::path& path,
                     std::array<char, kEngineBlockSize>& buffer) {
    std::error_code error;
    // Opening a pipe for reading would wait for a writer.
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return false;
    }
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const auto count = static_cast<std::size_t>(in.gcount());
    Scramble(std::span<char>(buffer.data(), count), DefaultKey());
    return count == buffer.size();
}

bool WriteEngineBlock(const std::filesystem::path& path,
                      const std::array<char, kEngineBlockSize>& plain) {
    std::error_code error;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), error);
        if (error) {
            return false;
        }
    }
    std::array<char, kEngineBlockSize> scrambled = plain;
    Scramble(scrambled, DefaultKey());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(scrambled.data(), static_cast<std::streamsize>(scrambled.size()));
    out.close();
    return !out.fail();
}

}  // namespace quexa::files
