#include "demo_farm/demo_home.h"

#include <system_error>

#include "engines/category_file.h"
#include "engines/engine_record.h"
#include "engines/engine_source.h"
#include "files/engine_block.h"

namespace quexa::demo {

namespace {

namespace fs = std::filesystem;
using engines::CategoryRecord;

bool Fail(std::string* error, std::string why) {
    if (error != nullptr) {
        *error = std::move(why);
    }
    return false;
}

// The records already in the category file, but the one of that category.
std::vector<CategoryRecord> OtherCategories(const fs::path& path, std::string_view category) {
    std::vector<CategoryRecord> records;
    engines::CategoryFile file;
    std::int32_t count = 0;
    if (!fs::exists(path) || !file.Open(path) || !file.ReadHeader(count)) {
        return records;
    }
    for (std::int32_t index = 0; index < count; ++index) {
        CategoryRecord record;
        if (!file.ReadRecord(index, record)) {
            break;
        }
        if (record.name != category && record.directory != category) {
            records.push_back(std::move(record));
        }
    }
    file.Close();
    return records;
}

bool ClearEngineFiles(const fs::path& folder, std::string* error) {
    std::error_code code;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, code)) {
        if (entry.path().extension() == ".qzf" && !fs::remove(entry.path(), code)) {
            return Fail(error, "can't remove " + entry.path().string() + ": " + code.message());
        }
    }
    return !code || Fail(error, "can't list " + folder.string() + ": " + code.message());
}

bool WriteEngine(const fs::path& folder, const FakeEngine& engine, int port, std::string* error) {
    engines::EngineRecord record;
    std::string why;
    if (!engines::EngineSource::Parse(engine.Source(port), record, why)) {
        return Fail(error, "engine " + engine.key() + ": " + why);
    }
    const fs::path file = folder / engine.FileName();
    if (!files::WriteEngineBlock(file, record.bytes())) {
        return Fail(error, "can't write " + file.string());
    }
    return true;
}

}  // namespace

bool WriteCategoryHome(const fs::path& dir, int port, std::string_view category,
                       const std::vector<FakeEngine>& engines, std::string* error) {
    const fs::path categories = dir / "Categories";
    const fs::path folder = categories / std::string(category);
    std::error_code code;
    fs::create_directories(folder, code);
    if (!code) {
        fs::create_directories(categories / "Global", code);
    }
    if (code) {
        return Fail(error,
                    "can't make the folders under " + categories.string() + ": " + code.message());
    }
    if (!ClearEngineFiles(folder, error)) {
        return false;
    }
    for (const FakeEngine& engine : engines) {
        if (!WriteEngine(folder, engine, port, error)) {
            return false;
        }
    }
    const fs::path categoryFile = engines::CategoryFilePath(dir.string());
    std::vector<CategoryRecord> records = OtherCategories(categoryFile, category);
    CategoryRecord record;
    record.name = std::string(category);
    record.note = "Fake engines of the demo farm at http://127.0.0.1:" + std::to_string(port) +
                  ": every way of paging, URL rules, duplicates, markup in titles, slow and "
                  "failing engines.";
    record.directory = std::string(category);
    records.push_back(std::move(record));
    if (!engines::WriteCategoryFile(categoryFile, records)) {
        return Fail(error, "can't write " + categoryFile.string());
    }
    return true;
}

bool WriteDemoHome(const fs::path& dir, int port, std::string* error) {
    return WriteCategoryHome(dir, port, "Demo", FakeEngine::DemoSet(), error);
}

}  // namespace quexa::demo
