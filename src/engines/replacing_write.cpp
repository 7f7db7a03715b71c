#include "engines/replacing_write.h"

#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "core/replaceable_file.h"

namespace quexa::engines {

namespace {

// A short name of its own in the target's folder: a name built from the target's would be
// longer than the target's and could pass the file system's name limit where the target does not.
std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
    std::random_device device;
    const std::string name = ".quexa-" + std::to_string(device()) + ".tmp";
    return path.has_parent_path() ? path.parent_path() / name : std::filesystem::path(name);
}

}  // namespace

bool ReplacingWrite(const std::filesystem::path& path,
                    const std::function<bool(const std::filesystem::path& temporary)>& writer) {
    std::error_code error;
    if (core::WhyNotReplaceable(path)) {
        return false;
    }
    const std::filesystem::path temporary = TemporaryBeside(path);
    if (!writer(temporary)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

bool ReplacingWrite(const std::filesystem::path& path, std::string_view bytes) {
    return ReplacingWrite(path, [bytes](const std::filesystem::path& temporary) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        return out.good();
    });
}

}  // namespace quexa::engines
