#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>
#include <string_view>

#include "core/prompter.h"

namespace quexa::ui {

// The questions and messages of the logic as modal dialogs: message boxes captioned "Error:",
// "Note:" or "Warning:", the password dialog and the file dialogs. Worker messages keep
// arriving while one is open, since each runs its own event loop.
class QtPrompter : public core::Prompter {
  public:
    // Dialogs open over the parent; result files are looked for in startFolder first.
    explicit QtPrompter(QWidget* parent = nullptr, QString startFolder = {});

    Answer Ask(Title title, std::string_view text, Buttons buttons) override;
    std::optional<std::string> AskPassword() override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;

    // The caption a file dialog gets when the request names none.
    static QString FileCaption(FileUse use);
    // The Save File dialog answers a folder and a name: its callers add ".qzr" themselves, so
    // an extension typed by the user is taken off.
    static bool NamesWithoutExtension(FileUse use);

  private:
    // The Save File dialog over the tree of result files below the start folder's parent.
    std::optional<std::string> ChooseInTree(const FileRequest& request);

    QPointer<QWidget> parent_;
    QString startFolder_;
};

}  // namespace quexa::ui
