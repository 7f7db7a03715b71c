// A result file comes from anywhere: loading it must survive any bytes, never read past the
// records present and never hang, whatever its header claims.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "core/result_list.h"
#include "files/result_file.h"

namespace {

namespace files = quexa::files;

// One file per process, reused for every input and removed when the process ends.
class InputFile {
  public:
    InputFile()
        : path_(std::filesystem::temp_directory_path() /
                ("quexa_result_file_fuzz_" + std::to_string(getpid()) + ".qzr")) {}
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

// Gives one password, then cancels every question.
class OnePasswordPrompter : public quexa::core::Prompter {
  public:
    Answer Ask(Title, std::string_view, Buttons buttons) override {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    std::optional<std::string> AskPassword() override {
        return asked_++ == 0 ? std::optional<std::string>("secret") : std::nullopt;
    }
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }

  private:
    int asked_ = 0;
};

// The records a file of this size can hold behind its header.
std::size_t RecordsPresent(std::size_t size) {
    return size < files::kHeaderSize ? 0 : (size - files::kHeaderSize) / files::kRecordSize;
}

void Load(const std::filesystem::path& path, std::size_t size, bool append, bool skipListed) {
    quexa::core::ResultList list;
    quexa::core::ResultItem listed;
    listed.location = "http://listed/";
    list.AddItem(0, std::move(listed));
    files::LoadOptions options;
    options.append = append;
    options.skipListed = skipListed;
    const files::LoadedFile loaded = files::LoadResultFile(path, list, options);
    const files::ResultFileHeader* header = loaded.Loaded() ? &loaded.header : nullptr;
    if (header == nullptr && list.Count() != 1) {
        std::abort();  // a failed load changed the list
    }
    if (list.Count() - 1 > RecordsPresent(size)) {
        std::abort();  // more items than records in the file
    }
    if (header && header->mode != 'A' && header->mode != 'B' && header->mode != 'C') {
        std::abort();  // a newer file was taken for one of this version
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const InputFile input;
    const std::filesystem::path& path = input.Path();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Load(path, size, false, true);
    Load(path, size, true, false);
    files::ReadResultFileHeader(path);
    OnePasswordPrompter prompter;
    files::PromptForPassword(path, prompter);
    if (size >= files::kRecordSize) {
        files::Record record{};
        std::copy_n(reinterpret_cast<const char*>(data), record.size(), record.begin());
        const quexa::core::ResultItem item = files::DecodeRecord(record);
        files::EncodeRecord(item);
    }
    return 0;
}
