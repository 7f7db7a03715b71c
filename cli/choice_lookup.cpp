#include "cli/choice_lookup.h"

namespace quexa::cli {

std::optional<std::size_t> FindCategory(const engines::CategoryList& categories,
                                        std::string_view name) {
    for (std::size_t index = 0; index < categories.entries().size(); ++index) {
        if (categories.StoredName(index) == name || categories.entries()[index].name == name) {
            return index;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> FindScheme(const std::vector<std::string>& schemes,
                                      std::string_view name) {
    for (std::size_t index = 0; index < schemes.size(); ++index) {
        if (schemes[index] == name) {
            return index;
        }
    }
    return std::nullopt;
}

}  // namespace quexa::cli
