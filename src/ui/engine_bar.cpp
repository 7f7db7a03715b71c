#include "ui/engine_bar.h"

#include <QFrame>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

#include "ui/engine_bar_delegate.h"
#include "ui/engine_bar_model.h"

namespace quexa::ui {
namespace {

// The frame fills the bar less 5 pixels on every side, the list the frame less 6.
constexpr int kBarMargin = 5;
constexpr int kFrameMargin = 6;
// Pixels of "!", "Engine", -, "Result", "Remain", "Status"; "Progress" takes what is left.
constexpr std::array<int, EngineBarModel::ColumnCount> kWidths{18, 220, 70, 50, 50, 150};

}  // namespace

EngineBar::EngineBar(QWidget* parent)
    : QWidget(parent), model_(new EngineBarModel(this)), list_(new QTableView) {
    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(kFrameMargin, kFrameMargin, kFrameMargin, kFrameMargin);
    frameLayout->addWidget(list_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBarMargin, kBarMargin, kBarMargin, kBarMargin);
    layout->addWidget(frame);

    list_->setModel(model_);
    list_->setItemDelegate(new EngineBarDelegate(list_));
    list_->setAccessibleName(QStringLiteral("Engine Progress"));
    list_->setShowGrid(true);
    list_->setSortingEnabled(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    QHeaderView* header = list_->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    for (int column = 0; column < EngineBarModel::ColumnCount; ++column) {
        header->resizeSection(column, kWidths[static_cast<std::size_t>(column)]);
    }
    header->setSectionResizeMode(EngineBarModel::ProgressColumn, QHeaderView::Stretch);
}

}  // namespace quexa::ui
