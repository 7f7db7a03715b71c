#pragma once

#include <QDialog>

#include <optional>
#include <string>

#include "core/app_folders.h"
#include "core/profile.h"
#include "core/prompter.h"
#include "engines/scheme_editor.h"
#include "tasks/location_opener.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace quexa::ui {

class SchemeEngineModel;
class SchemeEngineView;

// "Config Search Scheme - Quexa": the schemes of one category, each user scheme's engines with
// their ticks and return numbers, and its note. Every change of a user scheme is saved at once;
// OK also remembers the chosen scheme for the category, Cancel does not.
class SchemeEditorDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Config Search Scheme - Quexa";
    static constexpr const char* kRemoveQuestion = "Are you sure delete it ?";
    static constexpr const char* kHint = "  Please double click engine to accurate edit it!";

    // dir is the category's folder name ("Global" for the Global category). Everything given
    // outlives the dialog.
    SchemeEditorDialog(const core::AppFolders& folders, core::Profile& profile, std::string dir,
                       core::Prompter& prompter, tasks::LocationOpener& opener,
                       QWidget* parent = nullptr);
    ~SchemeEditorDialog() override;

    // Modal. On OK the remembered scheme of the category as stored (empty for the system
    // scheme); nothing on Cancel.
    static std::optional<std::string> Run(const core::AppFolders& folders, core::Profile& profile,
                                          const std::string& dir, core::Prompter& prompter,
                                          tasks::LocationOpener& opener, QWidget* parent);

    // The same with "Visit Web" going to the browser in use (empty: the desktop's default).
    static std::optional<std::string> Run(const core::AppFolders& folders, core::Profile& profile,
                                          const std::string& dir, core::Prompter& prompter,
                                          const std::string& browserPath, QWidget* parent);

    const engines::SchemeEditor& Editor() const { return editor_; }
    QComboBox& Schemes() const { return *schemes_; }
    QPushButton& NewButton() const { return *new_; }
    QPushButton& RenameButton() const { return *rename_; }
    QPushButton& RemoveButton() const { return *remove_; }
    QPlainTextEdit& Note() const { return *note_; }
    SchemeEngineView& Engines() const { return *view_; }
    SchemeEngineModel& EngineModel() const { return *model_; }
    QSlider& Slider() const { return *slider_; }

    void accept() override;

  private:
    QWidget* BuildSchemeGroup();
    QWidget* BuildSliderRow();
    void SelectScheme(int index);
    void NewScheme();
    void RenameScheme();
    void RemoveScheme();
    void TakeNote();
    void ShowMenu(int row, QPoint globalPosition);
    void EditEngine(int row);
    void ResetDefault();
    // Everything the dialog shows, from the editor.
    void ShowEditor();
    void Tell(engines::SchemeEditorMessage message);

    engines::SchemeEditor editor_;
    core::Prompter& prompter_;
    tasks::LocationOpener& opener_;
    QComboBox* schemes_;
    QPushButton* new_;
    QPushButton* rename_;
    QPushButton* remove_;
    QPlainTextEdit* note_;
    SchemeEngineModel* model_;
    SchemeEngineView* view_;
    QSlider* slider_;
};

}  // namespace quexa::ui
