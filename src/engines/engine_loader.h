#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_folders.h"
#include "core/profile.h"
#include "engines/engine_definition.h"

namespace quexa::engines {

using EngineList = std::vector<std::unique_ptr<EngineDefinition>>;

inline constexpr std::string_view kSchemeMissingMessage =
    "The search scheme which you want to use isn't existed!\nSearch task finished";

// Categories/<dir>/ under the program folder, ending in a separator.
std::string EngineFolder(const std::string& appDirectory, std::string_view dir);
// The "*.qzf" files of a folder in name order (letter case ignored first).
std::vector<std::filesystem::path> ListEngineFiles(const std::string& folder);

// The system scheme: appends every readable engine of the category with 10 results each.
// Always true, also when the folder holds no engine.
bool LoadAllCategoryEngines(const std::string& appDirectory, std::string_view dir,
                            std::string_view query, EngineList& engines,
                            const std::atomic<int>* runFlag = nullptr);

// Appends the scheme's selected engines in the scheme's order, each with its return number; an
// entry without an engine file is skipped. False when the scheme file can't be opened.
bool LoadSchemeEngines(const std::string& appDirectory, std::string_view dir,
                       std::string_view query, const std::string& schemePath, EngineList& engines,
                       const std::atomic<int>* runFlag = nullptr);

// The engines of a search from the remembered category and scheme.
struct SearchEngines {
    enum class Outcome {
        Loaded,
        CategoryMissing,   // show kSchemeMissingMessage and start nothing
        SchemeUnreadable,  // start nothing, show nothing
    };
    Outcome outcome = Outcome::Loaded;
    std::string directory;
    std::string schemePath;  // empty: the system scheme
    EngineList engines;
};

SearchEngines ResolveSearchEngines(const std::string& appDirectory, const core::Profile& profile,
                                   std::string_view query,
                                   const std::atomic<int>* runFlag = nullptr);

}  // namespace quexa::engines
