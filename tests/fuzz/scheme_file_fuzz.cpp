// A scheme file's bytes through its readers, the engine loader and the scheme editor, which
// rewrites it; what the editor saved must read back as its rows.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/app_folders.h"
#include "core/memory_profile.h"
#include "engines/engine_loader.h"
#include "engines/engine_record.h"
#include "engines/scheme_editor.h"
#include "engines/scheme_file.h"
#include "engines/scheme_list.h"
#include "files/engine_block.h"

using namespace quexa;
using namespace quexa::engines;
namespace fs = std::filesystem;

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void RemoveHome();

const core::AppFolders& Folders() {
    static const core::AppFolders folders = [] {
        const fs::path home =
            fs::temp_directory_path() / ("quexa-fuzz-scheme-" + std::to_string(getpid()));
        fs::remove_all(home);
        for (const char* name : {"Alpha", "Bravo", "alpha"}) {
            EngineRecord record;
            record.SetText(EngineRecord::kName, name);
            files::WriteEngineBlock(home / "Categories" / "Global" / (std::string(name) + "1.qzf"),
                                    record.bytes());
        }
        fs::create_directories(home / "UserData" / "Scheme" / "Global");
        return core::AppFolders{home.string(), home.string()};
    }();
    // Registered after the folders are made, so it runs before they go away.
    [[maybe_unused]] static const bool removed = std::atexit(RemoveHome) == 0;
    return folders;
}

void RemoveHome() {
    std::error_code error;
    fs::remove_all(Folders().appDirectory, error);
}

void ReadDirectly(const std::string& path) {
    ReadSchemeNote(path);
    SchemeFile file;
    SchemeHeader header;
    if (!file.Open(path) || !file.ReadHeader(header)) {
        return;
    }
    Check(header.entryCount <= SchemeFile::kMaxEntries && header.note.size() < 256);
    for (std::uint32_t i = 0; i < header.entryCount; ++i) {
        SchemeEntry entry;
        if (!file.ReadEntry(i, entry)) {
            break;
        }
        Check(entry.engineName.size() < SchemeEntry::kNameField);
    }
}

void Edit(core::Profile& profile, const std::string& path) {
    SchemeEditor editor(Folders(), profile, "Global");
    const SchemeEditorMessage opened = editor.Open();
    Check(opened == SchemeEditorMessage::None || opened == SchemeEditorMessage::CannotLoad);
    if (!editor.UserSchemeSelected()) {
        return;
    }
    editor.SetTickedReturnNumbers(25);
    Check(editor.SaveScheme() == SchemeEditorMessage::None);
    Check(ReadSchemeNote(path) == editor.note());
    SchemeFile file;
    SchemeHeader header;
    Check(file.Open(path) && file.ReadHeader(header) && header.gap == 0);
    Check(header.entryCount == editor.rows().size());
    for (std::uint32_t i = 0; i < header.entryCount; ++i) {
        SchemeEntry entry;
        Check(file.ReadEntry(i, entry));
        const SchemeEngineRow& row = editor.rows()[i];
        Check(entry.engineName == row.name && entry.returnNumber == row.returnNumber &&
              entry.Selected() == row.ticked);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = Folders().dataDirectory + "/UserData/Scheme/Global/";
    const std::string path = SchemePath(folder, "Fuzz");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ReadDirectly(path);
    EngineList engines;
    Check(LoadSchemeEngines(Folders().appDirectory, "Global", "q", path, engines));
    Check(engines.size() <= SchemeFile::kMaxEntries);
    core::MemoryProfile profile;
    SetLastScheme(profile, "Global", path);
    Edit(profile, path);
    return 0;
}
