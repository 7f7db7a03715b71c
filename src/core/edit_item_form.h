#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/result_item.h"
#include "core/status_code.h"

namespace quexa::core {

// The rules of the "Edit Item" dialog, used by Add and Edit, without the widgets.
class EditItemForm {
  public:
    static constexpr std::array<StatusCode, 4> kStatusChoices{
        StatusCode::Normal, StatusCode::Reachable, StatusCode::Unreachable, StatusCode::Unknown};
    static constexpr std::array<VisitCode, 2> kVisitChoices{VisitCode::WithoutVisit,
                                                            VisitCode::Visited};

    // Add: empty fields, "Normal" and "Without Visit".
    EditItemForm();
    // Edit: the item's own texts, status and visit.
    explicit EditItemForm(const ResultItem& item);

    // What the user types; each field keeps at most its limit.
    void SetTitle(std::string_view text);
    void SetLocation(std::string_view text);
    void SetTarget(std::string_view text);
    void SetPreview(std::string_view text);
    const std::string& Title() const { return title_; }
    const std::string& Location() const { return location_; }
    const std::string& Target() const { return target_; }
    const std::string& Preview() const { return preview_; }

    // The entry the box shows: "Normal" for a status the box does not offer.
    std::size_t StatusChoice() const;
    std::size_t VisitChoice() const;
    // Only a pick changes the item's status or visit; out-of-range picks are ignored.
    void PickStatus(std::size_t choice);
    void PickVisit(std::size_t choice);

    bool OkEnabled() const { return !title_.empty() && !location_.empty(); }

    // The six values the dialog hands back, in an otherwise default item.
    ResultItem Values() const;

  private:
    std::string title_;
    std::string location_;
    std::string target_;
    std::string preview_;
    StatusCode status_ = StatusCode::Normal;
    VisitCode visit_ = VisitCode::WithoutVisit;
};

}  // namespace quexa::core
