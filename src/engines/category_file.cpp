#include "engines/category_file.h"

#include <algorithm>

#include "core/text.h"
#include "engines/replacing_write.h"

namespace quexa::engines {

namespace {

constexpr std::size_t kNameOffset = 0;
constexpr std::size_t kIconOffset = kNameOffset + CategoryRecord::kNameField;
constexpr std::size_t kNoteOffset = kIconOffset + CategoryRecord::kIconField;
constexpr std::size_t kDirectoryOffset = kNoteOffset + CategoryRecord::kNoteField;
static_assert(kDirectoryOffset + CategoryRecord::kDirectoryField == CategoryRecord::kSize);

// What the category file carries before its count; readers never look at it.
constexpr std::string_view kLeadBytes{"QCFA\0", 5};

std::string FieldText(const CategoryRecord::Bytes& bytes, std::size_t offset, std::size_t size) {
    return core::BoundedCopy(std::string_view(bytes.data() + offset, size), size);
}

void PutField(CategoryRecord::Bytes& bytes, std::size_t offset, std::size_t size,
              std::string_view text) {
    const std::string bounded = core::BoundedCopy(text, size);
    std::copy(bounded.begin(), bounded.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

bool FitsField(std::string_view text, std::size_t size) {
    return text.size() < size && text.find('\0') == std::string_view::npos;
}

void PutInt32(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((bits >> shift) & 0xFFu));
    }
}

std::int32_t GetInt32(const char* bytes) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
        bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return static_cast<std::int32_t>(bits);
}

}  // namespace

CategoryRecord CategoryRecord::Decode(const Bytes& bytes) {
    CategoryRecord record;
    record.name = FieldText(bytes, kNameOffset, kNameField);
    record.iconFile = FieldText(bytes, kIconOffset, kIconField);
    record.note = FieldText(bytes, kNoteOffset, kNoteField);
    record.directory = FieldText(bytes, kDirectoryOffset, kDirectoryField);
    return record;
}

CategoryRecord::Bytes CategoryRecord::Encode() const {
    Bytes bytes{};
    PutField(bytes, kNameOffset, kNameField, name);
    PutField(bytes, kIconOffset, kIconField, iconFile);
    PutField(bytes, kNoteOffset, kNoteField, note);
    PutField(bytes, kDirectoryOffset, kDirectoryField, directory);
    return bytes;
}

bool CategoryRecord::Fits() const {
    return FitsField(name, kNameField) && FitsField(iconFile, kIconField) &&
           FitsField(note, kNoteField) && FitsField(directory, kDirectoryField);
}

bool CategoryFile::Open(const std::filesystem::path& path) {
    Close();
    stream_.open(path, std::ios::binary);
    return stream_.is_open();
}

bool CategoryFile::ReadHeader(std::int32_t& count) {
    count = 0;
    std::array<char, kHeaderSize> header{};
    stream_.clear();
    stream_.seekg(0);
    if (!stream_.read(header.data(), header.size())) {
        return false;
    }
    count = std::clamp(GetInt32(header.data() + 5), std::int32_t{0}, kMaxCount);
    return true;
}

bool CategoryFile::ReadRecord(std::int32_t index, CategoryRecord& record) {
    record = CategoryRecord();
    if (index < 0) {
        return false;
    }
    const auto offset = static_cast<std::streamoff>(kHeaderSize) +
                        static_cast<std::streamoff>(CategoryRecord::kSize) * index;
    CategoryRecord::Bytes bytes{};
    stream_.clear();
    stream_.seekg(offset);
    if (!stream_.read(bytes.data(), bytes.size())) {
        return false;
    }
    record = CategoryRecord::Decode(bytes);
    return true;
}

void CategoryFile::Close() {
    if (stream_.is_open()) {
        stream_.close();
    }
    stream_.clear();
}

std::filesystem::path CategoryFilePath(const std::string& appDirectory) {
    return std::filesystem::path(appDirectory) / "Categories" / "config.qcf";
}

bool WriteCategoryFile(const std::filesystem::path& path,
                       const std::vector<CategoryRecord>& records) {
    if (records.size() > static_cast<std::size_t>(CategoryFile::kMaxCount) ||
        !std::all_of(records.begin(), records.end(),
                     [](const CategoryRecord& record) { return record.Fits(); })) {
        return false;
    }
    std::string bytes(kLeadBytes);
    PutInt32(bytes, static_cast<std::int32_t>(records.size()));
    for (const CategoryRecord& record : records) {
        const CategoryRecord::Bytes encoded = record.Encode();
        bytes.append(encoded.data(), encoded.size());
    }
    std::error_code error;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), error);
    }
    return ReplacingWrite(path, bytes);
}

}  // namespace quexa::engines
