#include "engines/engine_loader.h"

#include <algorithm>
#include <system_error>

#include "core/settings_table.h"
#include "core/text.h"
#include "engines/category_list.h"
#include "engines/engine_record.h"
#include "engines/folder_path.h"
#include "engines/scheme_file.h"
#include "engines/scheme_list.h"

namespace quexa::engines {

namespace {

constexpr std::string_view kEngineExtension = ".qzf";

std::vector<EngineRecord> ReadableRecords(const std::string& folder) {
    std::vector<EngineRecord> records;
    for (const std::filesystem::path& file : ListEngineFiles(folder)) {
        EngineRecord record;
        if (ReadEngineRecord(file, record)) {
            records.push_back(record);
        }
    }
    return records;
}

}  // namespace

std::string EngineFolder(const std::string& appDirectory, std::string_view dir) {
    return appDirectory + "/Categories/" + std::string(dir) + "/";
}

std::vector<std::filesystem::path> ListEngineFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        if (fileName.size() > kEngineExtension.size() &&
            core::AsciiLower(fileName).ends_with(kEngineExtension) && it->is_regular_file(error)) {
            names.push_back(fileName);
        }
    }
    std::sort(names.begin(), names.end(), FileNameBefore);
    std::vector<std::filesystem::path> files;
    files.reserve(names.size());
    for (const std::string& name : names) {
        files.push_back(std::filesystem::path(folder) / name);
    }
    return files;
}

bool LoadAllCategoryEngines(const std::string& appDirectory, std::string_view dir,
                            std::string_view query, EngineList& engines,
                            const std::atomic<int>* runFlag) {
    for (const EngineRecord& record : ReadableRecords(EngineFolder(appDirectory, dir))) {
        engines.push_back(BuildEngineDefinition(record, query, kSystemSchemeReturnNumber, runFlag));
    }
    return true;
}

bool LoadSchemeEngines(const std::string& appDirectory, std::string_view dir,
                       std::string_view query, const std::string& schemePath, EngineList& engines,
                       const std::atomic<int>* runFlag) {
    SchemeFile file;
    if (!file.Open(schemePath)) {
        return false;
    }
    SchemeHeader header;
    file.ReadHeader(header);
    // The folder is read once per call; an engine named twice in the scheme loads twice.
    const std::vector<EngineRecord> records = ReadableRecords(EngineFolder(appDirectory, dir));
    for (std::uint32_t i = 0; i < header.entryCount; ++i) {
        SchemeEntry entry;
        file.ReadEntry(i, entry);
        if (!entry.Selected()) {
            continue;
        }
        const auto match =
            std::find_if(records.begin(), records.end(), [&entry](const EngineRecord& record) {
                return record.Text(EngineRecord::kName) == entry.engineName;
            });
        if (match != records.end()) {
            engines.push_back(BuildEngineDefinition(*match, query, entry.returnNumber, runFlag));
        }
    }
    return true;
}

SearchEngines ResolveSearchEngines(const std::string& appDirectory, const core::Profile& profile,
                                   std::string_view query, const std::atomic<int>* runFlag) {
    SearchEngines result;
    const std::string category = core::settings::kLastCategory.Read(profile);
    result.directory = ResolveCategoryDir(appDirectory, category);
    if (result.directory.empty()) {
        result.outcome = SearchEngines::Outcome::CategoryMissing;
        return result;
    }
    result.schemePath = GetLastScheme(profile, result.directory);
    const bool loaded =
        result.schemePath.empty()
            ? LoadAllCategoryEngines(appDirectory, result.directory, query, result.engines, runFlag)
            : LoadSchemeEngines(appDirectory, result.directory, query, result.schemePath,
                                result.engines, runFlag);
    if (!loaded) {
        result.outcome = SearchEngines::Outcome::SchemeUnreadable;
    }
    return result;
}

}  // namespace quexa::engines
