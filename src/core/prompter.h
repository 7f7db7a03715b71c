#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quexa::core {

// The questions and messages the logic puts to the user. The window shows them as modal
// dialogs; quexa-cli answers from its options and prints the texts.
class Prompter {
  public:
    // The box's caption: "Error:", "Note:" or "Warning:"; one box is captioned "Warrning".
    enum class Title { Error, Note, Warning, Warrning };
    enum class Buttons { Ok, YesNo, YesCancel, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    // What a file dialog is for; the window picks the dialog, quexa-cli its option.
    enum class FileUse {
        SaveResult,  // the Save File dialog in save mode
        LoadResult,  // the Save File dialog in open mode ("Load file"), used by Import
        OpenResult,  // "Open Quexa Result File"
        Export,      // the save-file dialog of the export commands
    };
    struct FileRequest {
        FileUse use = FileUse::SaveResult;
        std::string caption;
        std::string filter;
        std::string defaultExtension;
        std::string offeredName;
    };

    virtual ~Prompter() = default;

    // Lines of a box are joined with "\n".
    virtual Answer Ask(Title title, std::string_view text, Buttons buttons) = 0;
    // The "Please input password:" dialog; nothing on Cancel.
    virtual std::optional<std::string> AskPassword() = 0;
    // A path chosen by the user; nothing on Cancel.
    virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;

    void Tell(Title title, std::string_view text) { Ask(title, text, Buttons::Ok); }

    static std::string_view TitleText(Title title);
    // What a box answers when it is closed without a button (Escape, its title bar): the most
    // cautious answer its buttons allow.
    static Answer DismissedAnswer(Buttons buttons);
};

}  // namespace quexa::core
