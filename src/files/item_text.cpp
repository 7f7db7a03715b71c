#include "files/item_text.h"

namespace quexa::files {

std::string ItemAsText(const core::ResultItem& item) {
    std::string text;
    text.reserve(item.title.size() + item.location.size() + item.searchTarget.size() +
                 item.preview.size() + 96);
    text += "Title: ";
    text += item.title;
    text += "\r\nLocation: ";
    text += item.location;
    text += "\r\nTarget: ";
    text += item.searchTarget;
    text += "\r\nPreview: -----------------------------------\r\n";
    text += item.preview;
    text += "\r\n\r\n";
    return text;
}

}  // namespace quexa::files
