#include "scripted_prompter.h"

namespace quexa::testing {
namespace {

template <typename T>
T Next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) {
        return otherwise;
    }
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
}

}  // namespace

core::Prompter::Answer ScriptedPrompter::Ask(Title title, std::string_view text, Buttons buttons) {
    boxes.push_back(std::string(TitleText(title)) + " " + std::string(text));
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    return Next(answers, core::Prompter::DismissedAnswer(buttons));
}

std::optional<std::string> ScriptedPrompter::AskPassword() {
    ++passwordDialogs;
    return Next<std::optional<std::string>>(passwords, std::nullopt);
}

std::optional<std::string> ScriptedPrompter::ChooseFile(const FileRequest& request) {
    fileRequests.push_back(request);
    return Next<std::optional<std::string>>(files, std::nullopt);
}

}  // namespace quexa::testing
