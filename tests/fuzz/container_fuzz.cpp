// Result files and engine files come from anywhere: every reader must survive any bytes.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "files/engine_block.h"
#include "files/protected_container.h"

namespace {

// One file per process, reused for every input and removed when the process ends.
class InputFile {
  public:
    InputFile()
        : path_(std::filesystem::temp_directory_path() /
                ("quexa_container_fuzz_" + std::to_string(getpid()) + ".qzr")) {}
    ~InputFile() {
        std::error_code error;
        std::filesystem::remove(path_, error);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

void ExerciseContainer(const std::filesystem::path& path) {
    quexa::files::ProtectedContainer container;
    if (!container.Open(path)) {
        return;
    }
    container.CheckVersion();
    container.IsProtected();
    for (const char* text : {"", "BrindleMoss", "secret"}) {
        container.TestPassword(text);
    }
    quexa::files::ContainerHeader header;
    container.ReadHeader(header);
    if (container.SeekToRecords()) {
        quexa::files::Record record{};
        for (int i = 0; i < 10000 && container.ReadRecord(record); ++i) {
        }
    }
    quexa::files::Record record{};
    container.ReadRecord(record, static_cast<std::int64_t>(container.Header().RecordCount()));
    container.ChangePassword("", "secret");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const InputFile input;
    const std::filesystem::path& path = input.Path();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ExerciseContainer(path);
    std::array<char, quexa::files::kEngineBlockSize> block{};
    quexa::files::ReadEngineBlock(path, block);
    return 0;
}
