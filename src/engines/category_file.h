#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace quexa::engines {

// One category of engines as the category file stores it: an 816-byte record of NUL-terminated
// fields.
struct CategoryRecord {
    static constexpr std::size_t kSize = 816;
    static constexpr std::size_t kNameField = 40;
    static constexpr std::size_t kIconField = 20;
    static constexpr std::size_t kNoteField = 500;
    static constexpr std::size_t kDirectoryField = 256;
    using Bytes = std::array<char, kSize>;

    std::string name;
    std::string iconFile;  // relative to the Categories folder
    std::string note;
    std::string directory;  // folder under Categories and under UserData/Scheme

    static CategoryRecord Decode(const Bytes& bytes);
    // Fields that do not fit are cut at a character boundary; see Fits.
    Bytes Encode() const;
    // Every text fits its field with its NUL and holds no NUL of its own.
    bool Fits() const;
};

// Reads the shipped category file. It is opened for reading only and never altered.
class CategoryFile {
  public:
    static constexpr std::size_t kHeaderSize = 9;
    static constexpr std::int32_t kMaxCount = 1000;

    bool Open(const std::filesystem::path& path);
    // The record count, a negative one read as 0 and a larger one than kMaxCount capped there.
    bool ReadHeader(std::int32_t& count);
    // False, with the record left empty, when the whole record can't be read.
    bool ReadRecord(std::int32_t index, CategoryRecord& record);
    void Close();

  private:
    std::ifstream stream_;
};

// Categories/config.qcf under the program folder.
std::filesystem::path CategoryFilePath(const std::string& appDirectory);

// Writes a whole category file beside the target and renames it over it, so a failure leaves
// any old file as it was. False when a record does not fit or the file can't be written.
bool WriteCategoryFile(const std::filesystem::path& path,
                       const std::vector<CategoryRecord>& records);

}  // namespace quexa::engines
