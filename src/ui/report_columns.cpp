#include "ui/report_columns.h"

#include <QHeaderView>

#include <algorithm>

namespace quexa::ui {
namespace {

int DefinedWidth(int column) {
    const int width = core::kResultColumns[static_cast<std::size_t>(column)].width;
    return width < 0 ? ReportColumns::kDefaultWidth : width;
}

bool Valid(int column) {
    return column >= 0 && column < ReportColumns::kCount;
}

}  // namespace

ReportColumns::ReportColumns(QHeaderView& header) : header_(header) {
    for (int column = 0; column < kCount; ++column) {
        widths_[static_cast<std::size_t>(column)] = DefinedWidth(column);
    }
}

bool ReportColumns::IsActive(int column) const {
    return Valid(column) && active_[static_cast<std::size_t>(column)];
}

int ReportColumns::Width(int column) const {
    return Valid(column) ? widths_[static_cast<std::size_t>(column)] : 0;
}

std::vector<int> ReportColumns::ActiveOrder() const {
    std::vector<int> order;
    for (int visual = 0; visual < header_.count(); ++visual) {
        const int column = header_.logicalIndex(visual);
        if (IsActive(column)) {
            order.push_back(column);
        }
    }
    return order;
}

std::vector<int> ReportColumns::Inactive() const {
    std::vector<int> columns;
    for (int column = 0; column < kCount; ++column) {
        if (!IsActive(column)) {
            columns.push_back(column);
        }
    }
    return columns;
}

void ReportColumns::Refresh(int column) {
    const auto at = static_cast<std::size_t>(column);
    const bool shown = active_[at] && widths_[at] > 0;
    if (shown) {
        header_.resizeSection(column, widths_[at]);
    }
    header_.setSectionHidden(column, !shown);
}

void ReportColumns::PlaceAt(int column, int visualIndex) {
    const int from = header_.visualIndex(column);
    const int to = std::clamp(visualIndex, 0, header_.count() - 1);
    if (from != to) {
        header_.moveSection(from, to);
    }
}

void ReportColumns::InsertBefore(int column, int visualIndex) {
    // Taking the column out first shifts the places right of it by one.
    const int from = header_.visualIndex(column);
    PlaceAt(column, visualIndex > from ? visualIndex - 1 : visualIndex);
}

void ReportColumns::ActivateDefaults() {
    for (int column = 0; column < kCount; ++column) {
        PlaceAt(column, column);
        active_[static_cast<std::size_t>(column)] = true;
        widths_[static_cast<std::size_t>(column)] = DefinedWidth(column);
        Refresh(column);
    }
}

void ReportColumns::Activate(int column, int headerPosition) {
    if (!Valid(column)) {
        return;
    }
    const std::vector<int> order = ActiveOrder();
    const int visualIndex =
        headerPosition >= 0 && headerPosition < static_cast<int>(order.size())
            ? header_.visualIndex(order[static_cast<std::size_t>(headerPosition)])
            : header_.count();
    ActivateAt(column, visualIndex);
}

void ReportColumns::ActivateAt(int column, int visualIndex) {
    if (!Valid(column)) {
        return;
    }
    const auto at = static_cast<std::size_t>(column);
    InsertBefore(column, visualIndex);
    active_[at] = true;
    if (widths_[at] <= 0) {
        widths_[at] = kRevivedWidth;
    }
    Refresh(column);
}

void ReportColumns::Deactivate(int column) {
    if (!IsActive(column)) {
        return;
    }
    active_[static_cast<std::size_t>(column)] = false;
    Refresh(column);
}

void ReportColumns::NoteResized(int column, int width) {
    if (Valid(column) && width > 0 && !header_.isSectionHidden(column)) {
        widths_[static_cast<std::size_t>(column)] = width;
    }
}

core::ColumnLayout ReportColumns::Layout() const {
    return core::ColumnLayout(std::vector<int>(widths_.begin(), widths_.end()), ActiveOrder());
}

bool ReportColumns::Apply(const core::ColumnLayout& layout) {
    if (!layout.Fits(kCount)) {
        return false;
    }
    active_.fill(false);
    for (int column = 0; column < kCount; ++column) {
        const int width = layout.widths()[static_cast<std::size_t>(column)];
        widths_[static_cast<std::size_t>(column)] = width < 0 ? DefinedWidth(column) : width;
    }
    int visual = 0;
    for (const int column : layout.order()) {
        PlaceAt(column, visual++);
        active_[static_cast<std::size_t>(column)] = true;
    }
    for (int column = 0; column < kCount; ++column) {
        Refresh(column);
    }
    return true;
}

}  // namespace quexa::ui
