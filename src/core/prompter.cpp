#include "core/prompter.h"

namespace quexa::core {

Prompter::Answer Prompter::DismissedAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::YesCancel:
        case Buttons::YesNoCancel:
            return Answer::Cancel;
    }
    return Answer::Cancel;
}

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
