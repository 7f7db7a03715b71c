#include "tasks/copy_text.h"

#include "files/item_text.h"

namespace quexa::tasks {

std::optional<std::string> CopyText(Command command, const core::ResultItem& item) {
    switch (command) {
        case Command::CopyItem:
            return files::ItemAsText(item);
        case Command::CopyLocation:
            return item.location;
        case Command::CopyTitle:
            return item.title;
        case Command::CopyPreview:
            return item.preview;
        default:
            return std::nullopt;
    }
}

bool CopyToClipboard(Command command, const core::ResultItem& item, Clipboard& clipboard) {
    const std::optional<std::string> text = CopyText(command, item);
    if (!text) {
        return false;
    }
    clipboard.SetText(*text);
    return true;
}

}  // namespace quexa::tasks
