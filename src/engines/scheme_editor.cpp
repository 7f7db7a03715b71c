#include "engines/scheme_editor.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/text.h"
#include "engines/engine_loader.h"
#include "engines/engine_record.h"
#include "engines/folder_path.h"
#include "engines/scheme_file.h"
#include "engines/scheme_list.h"

namespace quexa::engines {

namespace {

// A name the scheme's file can carry in the scheme folder.
bool IsUsableSchemeName(std::string_view name) {
    return !name.empty() && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

}  // namespace

std::string_view MessageText(SchemeEditorMessage message) {
    switch (message) {
        case SchemeEditorMessage::CannotLoad:
            return "Canno't load scheme file!";
        case SchemeEditorMessage::SaveFailed:
            return "Save Failed!";
        case SchemeEditorMessage::NameExists:
            return "Scheme is existed , \nplease rename it !";
        case SchemeEditorMessage::CannotRename:
            return "Canno't rename!";
        case SchemeEditorMessage::DeleteFailed:
            return "Delte Failed!";
        case SchemeEditorMessage::None:
            break;
    }
    return {};
}

std::string EditEngineWebSite(std::string_view webSite) {
    std::string shown(webSite);
    if (shown.find("://") == std::string::npos) {
        shown.insert(0, "http://");
    }
    return shown;
}

SchemeEditor::SchemeEditor(const core::AppFolders& folders, core::Profile& profile, std::string dir)
    : profile_(profile),
      dataDirectory_(folders.dataDirectory),
      dir_(std::move(dir)),
      schemeFolder_(folders.dataDirectory + "/UserData/Scheme/" + dir_ + "/"),
      engineFolder_(EngineFolder(folders.appDirectory, dir_)) {}

SchemeEditorMessage SchemeEditor::Open() {
    EnsureFolderPath(schemeFolder_);
    schemes_ = ListSchemes(schemeFolder_);
    FillRows();
    selected_ = SelectRememberedScheme(schemes_, schemeFolder_, GetLastScheme(profile_, dir_));
    return ApplyScheme();
}

void SchemeEditor::SetNote(std::string_view note) {
    note_ = core::BoundedCopy(note, kNoteLimit + 1);
}

SchemeEditorState SchemeEditor::State() const {
    const bool writable = IsFolderWritable(dataDirectory_);
    const bool userScheme = UserSchemeSelected();
    SchemeEditorState state;
    state.renameEnabled = writable && schemes_.size() > 1 && userScheme;
    state.removeEnabled = state.renameEnabled;
    state.sliderEnabled = userScheme;
    state.newEnabled = writable;
    state.noteEnabled = writable;
    return state;
}

SchemeEditorMessage SchemeEditor::Select(std::size_t index) {
    if (index >= schemes_.size()) {
        return SchemeEditorMessage::None;
    }
    selected_ = index;
    FillRows();
    const SchemeEditorMessage applied = ApplyScheme();
    if (applied != SchemeEditorMessage::None || !UserSchemeSelected()) {
        return applied;
    }
    return SaveScheme();
}

SchemeEditorMessage SchemeEditor::ApplyScheme() {
    if (!UserSchemeSelected()) {
        note_ = kSystemSchemeNote;
        return SchemeEditorMessage::None;
    }
    SchemeFile file;
    SchemeHeader header;
    const std::string path = SelectedPath();
    if (!SchemeFile::Validate(path) || !file.Open(path) || !file.ReadHeader(header)) {
        schemes_.erase(schemes_.begin() + static_cast<std::ptrdiff_t>(selected_));
        selected_ = 0;
        note_ = kSystemSchemeNote;
        return SchemeEditorMessage::CannotLoad;
    }
    note_ = header.note;
    for (std::uint32_t i = 0; i < header.entryCount; ++i) {
        SchemeEntry entry;
        file.ReadEntry(i, entry);
        const std::string name = core::AsciiLower(entry.engineName);
        const auto row = std::find_if(rows_.begin(), rows_.end(), [&name](const auto& candidate) {
            return core::AsciiLower(candidate.name) == name;
        });
        if (row != rows_.end()) {
            row->returnNumber = entry.returnNumber;
            row->ticked = entry.Selected();
        }
    }
    return SchemeEditorMessage::None;
}

SchemeEditorMessage SchemeEditor::SaveScheme() {
    if (!UserSchemeSelected()) {
        return SchemeEditorMessage::None;
    }
    std::vector<SchemeEntry> entries;
    entries.reserve(rows_.size());
    for (const SchemeEngineRow& row : rows_) {
        entries.push_back({row.name, row.returnNumber, static_cast<std::uint8_t>(row.ticked)});
    }
    return SchemeFile::Save(SelectedPath(), note_, entries) ? SchemeEditorMessage::None
                                                            : SchemeEditorMessage::SaveFailed;
}

bool SchemeEditor::NameExists(std::string_view name) const {
    const std::string wanted = core::AsciiLower(core::Trim(name));
    return std::any_of(schemes_.begin(), schemes_.end(), [&wanted](const std::string& scheme) {
        return core::AsciiLower(scheme) == wanted;
    });
}

SchemeEditorMessage SchemeEditor::New(std::string_view name) {
    const std::string trimmed(core::Trim(name));
    if (NameExists(trimmed)) {
        return SchemeEditorMessage::NameExists;
    }
    if (!IsUsableSchemeName(trimmed)) {
        return SchemeEditorMessage::SaveFailed;
    }
    const std::size_t previous = selected_;
    const std::string previousNote = note_;
    schemes_.push_back(trimmed);
    selected_ = schemes_.size() - 1;
    note_.clear();
    FillRows();
    const SchemeEditorMessage saved = SaveScheme();
    if (saved != SchemeEditorMessage::None) {
        // A scheme without a file would fail to load later: keep the list as it was.
        schemes_.pop_back();
        selected_ = previous;
        note_ = previousNote;
        FillRows();
        ApplyScheme();
    }
    return saved;
}

SchemeEditorMessage SchemeEditor::Rename(std::string_view newName) {
    if (!UserSchemeSelected()) {
        return SchemeEditorMessage::None;
    }
    const std::string trimmed(core::Trim(newName));
    if (NameExists(trimmed)) {
        return SchemeEditorMessage::NameExists;
    }
    const std::string oldPath = SelectedPath();
    const std::string newPath = SchemePath(schemeFolder_, trimmed);
    std::error_code error;
    if (!IsUsableSchemeName(trimmed) || std::filesystem::exists(newPath, error)) {
        return SchemeEditorMessage::CannotRename;
    }
    std::filesystem::rename(oldPath, newPath, error);
    if (error) {
        return SchemeEditorMessage::CannotRename;
    }
    schemes_[selected_] = trimmed;
    if (SamePath(GetLastScheme(profile_, dir_), oldPath)) {
        RememberSelection();
    }
    return SchemeEditorMessage::None;
}

SchemeEditorMessage SchemeEditor::Remove() {
    if (!UserSchemeSelected()) {
        return SchemeEditorMessage::None;
    }
    std::error_code error;
    if (!std::filesystem::remove(SelectedPath(), error)) {
        return SchemeEditorMessage::DeleteFailed;
    }
    schemes_.erase(schemes_.begin() + static_cast<std::ptrdiff_t>(selected_));
    SetLastScheme(profile_, dir_, "");
    return Select(0);
}

SchemeEditorMessage SchemeEditor::SetTicked(std::size_t row, bool ticked) {
    if (!UserSchemeSelected() || row >= rows_.size()) {
        return SchemeEditorMessage::None;
    }
    rows_[row].ticked = ticked;
    return SaveScheme();
}

SchemeEditorMessage SchemeEditor::SetTickedReturnNumbers(int sliderPosition) {
    if (!UserSchemeSelected()) {
        return SchemeEditorMessage::None;
    }
    const int number = std::clamp(sliderPosition, kMinSliderPosition, kMaxReturnNumber);
    for (SchemeEngineRow& row : rows_) {
        if (row.ticked) {
            row.returnNumber = number;
        }
    }
    return SaveScheme();
}

SchemeEditorMessage SchemeEditor::SetReturnNumber(std::size_t row, int returnNumber) {
    if (!UserSchemeSelected() || row >= rows_.size() || returnNumber < 0 ||
        returnNumber > kMaxReturnNumber) {
        return SchemeEditorMessage::None;
    }
    rows_[row].returnNumber = returnNumber;
    return SaveScheme();
}

void SchemeEditor::ResetDefault() {
    if (!UserSchemeSelected()) {
        return;
    }
    for (SchemeEngineRow& row : rows_) {
        row.returnNumber = kSystemSchemeReturnNumber;
        row.ticked = true;
    }
}

SchemeEditorMessage SchemeEditor::Accept() {
    const SchemeEditorMessage saved = SaveScheme();
    RememberSelection();
    return saved;
}

void SchemeEditor::FillRows() {
    rows_.clear();
    for (const std::filesystem::path& file : ListEngineFiles(engineFolder_)) {
        EngineRecord record;
        if (ReadEngineRecord(file, record)) {
            rows_.push_back({record.Text(EngineRecord::kName), record.Text(EngineRecord::kWebSite),
                             kSystemSchemeReturnNumber, true});
        }
    }
}

std::string SchemeEditor::SelectedPath() const {
    return SchemePath(schemeFolder_, schemes_[selected_]);
}

void SchemeEditor::RememberSelection() {
    SetLastScheme(profile_, dir_, RememberedSchemeValue(schemes_, schemeFolder_, selected_));
}

}  // namespace quexa::engines
