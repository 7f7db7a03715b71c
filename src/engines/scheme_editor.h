#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_folders.h"
#include "core/profile.h"

namespace quexa::engines {

// One engine row of the scheme editor.
struct SchemeEngineRow {
    std::string name;
    std::string webSite;
    int returnNumber = 10;
    bool ticked = true;
};

// The constant texts of every engine row under "Operators" and "Support".
inline constexpr std::string_view kOperatorsText = "Normal";
inline constexpr std::string_view kSupportText = "Normal/Update/User define return number";

// The web site as the Edit Engine dialog shows and visits it: "http://" in front of a text that
// holds no "://".
std::string EditEngineWebSite(std::string_view webSite);

// What the scheme editor has to tell the person after a command.
enum class SchemeEditorMessage {
    None,
    CannotLoad,    // "Canno't load scheme file!"
    SaveFailed,    // "Save Failed!"
    NameExists,    // "Scheme is existed , \nplease rename it !"
    CannotRename,  // "Canno't rename!"
    DeleteFailed,  // "Delte Failed!"
};
std::string_view MessageText(SchemeEditorMessage message);

// Which commands the editor offers at the moment.
struct SchemeEditorState {
    bool newEnabled = false;
    bool renameEnabled = false;
    bool removeEnabled = false;
    bool sliderEnabled = false;
    bool noteEnabled = false;
};

// The scheme editor of one category without its window: the scheme list, the engine rows and
// every file operation. Every change of a user scheme's rows is written to its file at once.
class SchemeEditor {
  public:
    static constexpr std::size_t kNoteLimit = 255;
    static constexpr int kMaxReturnNumber = 300;
    static constexpr int kMinSliderPosition = 1;

    SchemeEditor(const core::AppFolders& folders, core::Profile& profile, std::string dir);

    // Fills the lists, selects the remembered scheme and applies it.
    SchemeEditorMessage Open();

    const std::string& schemeFolder() const { return schemeFolder_; }
    const std::string& engineFolder() const { return engineFolder_; }
    const std::vector<std::string>& schemes() const { return schemes_; }
    std::size_t selected() const { return selected_; }
    bool UserSchemeSelected() const { return selected_ != 0; }
    const std::vector<SchemeEngineRow>& rows() const { return rows_; }
    const std::string& note() const { return note_; }
    // Takes at most kNoteLimit bytes, cut at a character boundary. Saved with the next save.
    void SetNote(std::string_view note);
    SchemeEditorState State() const;

    // Refills the rows, applies the scheme and, for a user scheme, saves it back.
    SchemeEditorMessage Select(std::size_t index);
    SchemeEditorMessage ApplyScheme();
    SchemeEditorMessage SaveScheme();

    // Whether a name equals an entry of the list, case and outer blanks of the name ignored.
    bool NameExists(std::string_view name) const;
    SchemeEditorMessage New(std::string_view name);
    SchemeEditorMessage Rename(std::string_view newName);
    SchemeEditorMessage Remove();

    // Row edits of a user scheme; each saves the scheme.
    SchemeEditorMessage SetTicked(std::size_t row, bool ticked);
    SchemeEditorMessage SetTickedReturnNumbers(int sliderPosition);
    SchemeEditorMessage SetReturnNumber(std::size_t row, int returnNumber);
    // Every row ticked with 10; saved by the next save.
    void ResetDefault();

    // OK: saves a user scheme and remembers the selection for the category.
    SchemeEditorMessage Accept();

  private:
    void FillRows();
    std::string SelectedPath() const;
    void RememberSelection();

    core::Profile& profile_;
    std::string dataDirectory_;
    std::string dir_;
    std::string schemeFolder_;
    std::string engineFolder_;
    std::vector<std::string> schemes_;
    std::size_t selected_ = 0;
    std::vector<SchemeEngineRow> rows_;
    std::string note_;
};

}  // namespace quexa::engines
