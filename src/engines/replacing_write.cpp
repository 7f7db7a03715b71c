#include "engines/replacing_write.h"

#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace quexa::engines {

namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
    std::random_device device;
    std::filesystem::path temporary = path;
    temporary += "." + std::to_string(device()) + ".tmp";
    return temporary;
}

}  // namespace

bool ReplacingWrite(const std::filesystem::path& path,
                    const std::function<bool(const std::filesystem::path& temporary)>& writer) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
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
