#include "files/pattern_list.h"

#include "core/text.h"

namespace quexa::files {

PatternList PatternList::Parse(std::string_view text) {
    PatternList list;
    std::string_view rest = core::Trim(text);
    for (std::size_t cut = rest.find(';'); cut != std::string_view::npos; cut = rest.find(';')) {
        list.patterns_.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut + 1);
    }
    if (!rest.empty()) {
        list.patterns_.emplace_back(rest);
    }
    return list;
}

bool PatternList::IsBlank(std::string_view text) {
    for (const char c : text) {
        if (c != ';' && !core::IsSpace(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace quexa::files
