#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace quexa::files {

// What the Preview of a found file tells: its attributes, its full size and when it was made.
struct FileDescription {
    // In the order their words are written.
    enum Attribute : std::uint32_t {
        kTemporary = 1u << 0,
        kArchive = 1u << 1,
        kCompressed = 1u << 2,
        kEncrypted = 1u << 3,
        kHidden = 1u << 4,
        kNormal = 1u << 5,
        kOffline = 1u << 6,
        kReadOnly = 1u << 7,
        kSparse = 1u << 8,
        kLink = 1u << 9,
        kSystem = 1u << 10,
    };

    std::uint32_t attributes = 0;
    std::int64_t size = 0;
    std::time_t created = 0;

    // The entry name inside an open folder (dirFd), not following a final symbolic link.
    // Nothing found gives no attributes, size 0 and time 0.
    static FileDescription Read(int dirFd, const char* name);
    // The three Preview lines, CR LF between them, the creation time in local time.
    std::string Text() const;
};

// Looks the path up once more and describes what is there.
std::string DescribeFile(const std::string& path);

}  // namespace quexa::files
