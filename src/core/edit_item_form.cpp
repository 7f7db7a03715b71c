#include "core/edit_item_form.h"

#include <algorithm>

#include "core/text.h"

namespace quexa::core {
namespace {

std::string Limited(std::string_view text, std::size_t limit) {
    std::string out(text);
    CutInPlace(out, limit);
    return out;
}

template <typename Choices, typename Code>
std::size_t ChoiceOf(const Choices& choices, Code code) {
    const auto it = std::find(choices.begin(), choices.end(), code);
    return it == choices.end() ? 0 : static_cast<std::size_t>(it - choices.begin());
}

}  // namespace

EditItemForm::EditItemForm() = default;

EditItemForm::EditItemForm(const ResultItem& item)
    : title_(item.title),
      location_(item.location),
      target_(item.searchTarget),
      preview_(item.preview),
      status_(item.status),
      visit_(item.visit) {}

void EditItemForm::SetTitle(std::string_view text) {
    title_ = Limited(text, ResultItem::kTitleLimit);
}

void EditItemForm::SetLocation(std::string_view text) {
    location_ = Limited(text, ResultItem::kLocationLimit);
}

void EditItemForm::SetTarget(std::string_view text) {
    target_ = Limited(text, ResultItem::kTargetLimit);
}

void EditItemForm::SetPreview(std::string_view text) {
    preview_ = Limited(text, ResultItem::kPreviewLimit);
}

std::size_t EditItemForm::StatusChoice() const {
    return ChoiceOf(kStatusChoices, status_);
}

std::size_t EditItemForm::VisitChoice() const {
    return ChoiceOf(kVisitChoices, visit_);
}

void EditItemForm::PickStatus(std::size_t choice) {
    if (choice < kStatusChoices.size()) {
        status_ = kStatusChoices[choice];
    }
}

void EditItemForm::PickVisit(std::size_t choice) {
    if (choice < kVisitChoices.size()) {
        visit_ = kVisitChoices[choice];
    }
}

ResultItem EditItemForm::Values() const {
    ResultItem item;
    item.title = title_;
    item.location = location_;
    item.searchTarget = target_;
    item.preview = preview_;
    item.status = status_;
    item.visit = visit_;
    return item;
}

}  // namespace quexa::core
