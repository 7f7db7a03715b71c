#include "category_home.h"

#include <gtest/gtest.h>

#include "engines/engine_record.h"
#include "files/engine_block.h"

namespace quexa::engines::testing {

namespace fs = std::filesystem;

namespace {

void PutInt32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFFu));
    }
}

}  // namespace

CategoryHome::CategoryHome() {
    folders_.appDirectory = folder_.Path().string();
    folders_.dataDirectory = folders_.appDirectory;
    fs::create_directories(folder_.Path() / "Categories");
}

void CategoryHome::WriteCategories(const std::vector<CategoryRecord>& records) const {
    ASSERT_TRUE(WriteCategoryFile(CategoryFilePath(app()), records));
}

void CategoryHome::WriteCategoryBytes(std::string_view bytes) const {
    quexa::testing::WriteAll(CategoryFilePath(app()), bytes);
}

fs::path CategoryHome::AddEngine(std::string_view dir, std::string_view fileName,
                                 std::string_view name, std::string_view webSite) const {
    EngineRecord record;
    EXPECT_TRUE(record.SetText(EngineRecord::kName, name));
    EXPECT_TRUE(record.SetText(EngineRecord::kWebSite, webSite));
    EXPECT_TRUE(record.SetText(EngineRecord::kSearchUrl, webSite));
    const fs::path file = folder_.Path() / "Categories" / dir / fileName;
    fs::create_directories(file.parent_path());
    EXPECT_TRUE(files::WriteEngineBlock(file, record.bytes()));
    return file;
}

std::string CategoryHome::SchemeFolder(std::string_view dir) const {
    return app() + "/UserData/Scheme/" + std::string(dir) + "/";
}

std::string CategoryHome::WriteScheme(std::string_view dir, std::string_view name,
                                      std::string_view bytes) const {
    fs::create_directories(SchemeFolder(dir));
    const std::string path = SchemeFolder(dir) + std::string(name) + ".scm";
    quexa::testing::WriteAll(path, bytes);
    return path;
}

std::string CategoryBytes(const std::vector<CategoryRecord>& records,
                          std::optional<std::int32_t> count) {
    std::string bytes("\0\0\0\0\0", 5);
    PutInt32(bytes, static_cast<std::uint32_t>(count.value_or(static_cast<int>(records.size()))));
    for (const CategoryRecord& record : records) {
        const CategoryRecord::Bytes encoded = record.Encode();
        bytes.append(encoded.data(), encoded.size());
    }
    return bytes;
}

std::string SchemeBytes(std::string_view note, const std::vector<SchemeEntry>& entries,
                        std::uint32_t gap, std::optional<std::uint32_t> count,
                        std::string_view magic) {
    std::string bytes(magic.substr(0, 4));
    bytes.resize(4, '\0');
    std::string noteField(note.substr(0, SchemeHeader::kNoteField - 1));
    noteField.resize(SchemeHeader::kNoteField, '\0');
    bytes += noteField;
    PutInt32(bytes, count.value_or(static_cast<std::uint32_t>(entries.size())));
    PutInt32(bytes, gap);
    bytes.append(gap, '\xEE');
    for (const SchemeEntry& entry : entries) {
        std::string name(entry.engineName.substr(0, SchemeEntry::kNameField - 1));
        name.resize(SchemeEntry::kNameField, '\0');
        bytes += name;
        PutInt32(bytes, static_cast<std::uint32_t>(entry.returnNumber));
        bytes.push_back(static_cast<char>(entry.selectedFlag));
    }
    return bytes;
}

std::vector<SchemeEntry> ReadEntries(const std::string& path) {
    SchemeFile file;
    SchemeHeader header;
    std::vector<SchemeEntry> entries;
    if (!file.Open(path) || !file.ReadHeader(header)) {
        ADD_FAILURE() << "can't read " << path;
        return entries;
    }
    for (std::uint32_t i = 0; i < header.entryCount; ++i) {
        SchemeEntry entry;
        EXPECT_TRUE(file.ReadEntry(i, entry)) << path << " entry " << i;
        entries.push_back(entry);
    }
    return entries;
}

}  // namespace quexa::engines::testing
