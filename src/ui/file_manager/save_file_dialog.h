#pragma once

#include <QDialog>

#include <filesystem>
#include <optional>
#include <string>

class QDialogButtonBox;
class QLineEdit;
class QTreeWidgetItem;

namespace quexa::ui {

class ResultTreeWidget;

// "Save File" (or "Load file" for Import): a folder and a name chosen in the tree of result
// files. The caller adds ".qzr". Loading takes the name from a chosen file only.
class SaveFileDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kSaveTitle = "Save File";
    static constexpr const char* kLoadTitle = "Load file";

    SaveFileDialog(const std::filesystem::path& dataFolder, bool loading,
                   const QString& offeredName = {}, QWidget* parent = nullptr);

    // The chosen folder, a separator and the name; nothing before OK.
    std::optional<std::string> Chosen() const;
    ResultTreeWidget& Tree() const { return *tree_; }
    QLineEdit* NameEdit() const { return name_; }
    bool OkEnabled() const;

    void accept() override;

  private:
    void Clicked(QTreeWidgetItem* item);

    bool loading_;
    ResultTreeWidget* tree_;
    QLineEdit* name_;
    QDialogButtonBox* buttons_;
    std::filesystem::path folder_;
};

}  // namespace quexa::ui
