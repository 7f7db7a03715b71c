#include "core/prompter.h"

namespace quexa::core {

std::string_view Prompter::TitleText(Title title) {
    switch (title) {
        case Title::Error:
            return "Error:";
        case Title::Note:
            return "Note:";
        case Title::Warning:
            return "Warning:";
        case Title::Warrning:
            return "Warrning";
    }
    return {};
}

}  // namespace quexa::core
