#include "core/replaceable_file.h"

#include <system_error>

namespace quexa::core {
namespace fs = std::filesystem;
namespace {

std::string KindOf(fs::file_type type) {
    switch (type) {
        case fs::file_type::directory:
            return "a folder";
        case fs::file_type::fifo:
            return "a FIFO";
        case fs::file_type::character:
        case fs::file_type::block:
            return "a device node";
        case fs::file_type::socket:
            return "a socket";
        default:
            return "something";
    }
}

}  // namespace

std::optional<std::string> WhyNotReplaceable(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::regular || status.type() == fs::file_type::not_found) {
        return std::nullopt;
    }
    if (error) {
        return path.string() + " can't be examined (" + error.message() + ")";
    }
    return path.string() + " is " + KindOf(status.type()) +
           ", not a regular file: only a regular file is replaced";
}

}  // namespace quexa::core
