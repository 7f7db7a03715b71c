#include "engines/template_list.h"

#include "core/text.h"

namespace quexa::engines {

std::vector<std::string> SplitTemplateList(std::string_view text, std::string_view separator) {
    const std::size_t first = core::Find(text, separator);
    if (separator.empty() || first == core::npos || first == 0) {
        return {std::string(text)};
    }
    std::vector<std::string> entries;
    std::size_t pos = 0;
    for (std::size_t hit = first; hit != core::npos; hit = core::Find(text, separator, pos)) {
        entries.emplace_back(text.substr(pos, hit - pos));
        pos = hit + separator.size();
    }
    if (pos < text.size()) {
        entries.emplace_back(text.substr(pos));
    }
    return entries;
}

}  // namespace quexa::engines
