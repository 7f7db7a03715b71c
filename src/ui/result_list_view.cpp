#include "ui/result_list_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <functional>
#include <numeric>
#include <queue>
#include <utility>
#include <vector>

#include "core/settings_table.h"
#include "ui/pan_window.h"
#include "ui/picture_book.h"
#include "ui/preview_band.h"
#include "ui/report_header.h"
#include "ui/result_list_delegate.h"
#include "ui/result_list_model.h"
#include "ui/row_count_model.h"

namespace quexa::ui {
namespace {

// Room above and below the texts and pictures of a row.
constexpr int kCellPadding = 4;
// Beyond this many rows a double click on a divider measures only the longest texts.
constexpr std::size_t kMeasureAllRows = 20'000;
constexpr std::size_t kLongestTexts = 2'000;
constexpr int kWheelNotch = 120;

QFont BoldFont(QFont font) {
    font.setBold(true);
    return font;
}

}  // namespace

struct ResultListView::RowPaint {
    int row;
    // The whole row without its grid line: cells, then the preview band.
    QRect rect;
    bool selected;
};

ResultListView::ResultListView(QWidget* parent)
    : QTableView(parent),
      header_(new ReportHeader(this)),
      delegate_(new ResultListDelegate(this)),
      columns_(*header_),
      colours_{QColor(192, 216, 192), QColor(192, 192, 208), QColor(0, 64, 128)},
      wheelLines_(QApplication::wheelScrollLines()) {
    // Installed again so that its row count reaches this class's slot.
    setVerticalHeader(new QHeaderView(Qt::Vertical, this));
    setHorizontalHeader(header_);
    // The table hides the mark while it does not sort by itself; sorting is ours.
    header_->setSortIndicatorShown(true);
    setItemDelegate(delegate_);
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setAccessibleName(QStringLiteral("Result List"));
    viewport()->setAutoFillBackground(false);

    connect(header_, &ReportHeader::ColumnClicked, this, [this](int column) {
        Q_EMIT HeaderClicked(column);
        SortByColumn(column);
    });
    connect(header_, &ReportHeader::FieldManagerRequested, this,
            &ResultListView::FieldManagerRequested);
    connect(header_, &ReportHeader::ColumnDropped, this, &ResultListView::OnColumnDropped);
    connect(header_, &ReportHeader::ColumnDraggedOff, this, &ResultListView::DeactivateColumn);
    connect(header_, &QHeaderView::sectionMoved, this, &ResultListView::ColumnsChanged);
    connect(header_, &QHeaderView::sectionResized, this,
            [this](int column, int /*old*/, int width) { columns_.NoteResized(column, width); });
    UpdateRowHeight();
}

ResultListView::~ResultListView() {
    if (pan_) {
        pan_->End();
        delete pan_.data();
    }
}

void ResultListView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    header_->setSortIndicatorShown(true);
    model_ = qobject_cast<ResultListModel*>(model);
    if (model != nullptr) {
        rowCount_ = std::make_unique<RowCountModel>(*model);
        verticalHeader()->setModel(rowCount_.get());
        connect(model, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex& /*parent*/, int first, int /*last*/) {
                    OnRowsChanged(first, true);
                });
        connect(model, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex& /*parent*/, int first, int /*last*/) {
                    OnRowsChanged(first, false);
                });
        updateGeometries();
    } else {
        rowCount_.reset();
    }
    if (selectionModel() != nullptr) {
        connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) { Q_EMIT CurrentRowChanged(current.row()); });
    }
    if (model_ != nullptr) {
        ActivateDefaultColumns();
    }
}

// Appearance

void ResultListView::ApplyAppearance(const ListAppearance& appearance) {
    appearance_ = appearance;
    UpdateRowHeight();
}

void ResultListView::SetPreviewHeight(int height) {
    previewHeight_ = std::max(0, height);
    UpdateRowHeight();
}

int ResultListView::CellHeight() const {
    const int text = QFontMetrics(BoldFont(font())).height();
    return std::max(text, PictureBook::kCellPictureSize) + kCellPadding;
}

int ResultListView::RowHeight() const {
    return CellHeight() + previewHeight_ + (appearance_.horizontalGrid ? 1 : 0);
}

void ResultListView::UpdateRowHeight() {
    verticalHeader()->setDefaultSectionSize(RowHeight());
    viewport()->update();
}

void ResultListView::SetColour(int index, const QColor& colour) {
    if (index >= 0 && index < kColourCount) {
        colours_[static_cast<std::size_t>(index)] = colour;
        viewport()->update();
    }
}

QColor ResultListView::Colour(int index) const {
    return index >= 0 && index < kColourCount ? colours_[static_cast<std::size_t>(index)]
                                              : QColor();
}

// Columns

void ResultListView::ActivateColumn(int column, int headerPosition) {
    columns_.Activate(column, headerPosition);
    Q_EMIT ColumnsChanged();
}

void ResultListView::OnColumnDropped(int column, int visualIndex) {
    columns_.ActivateAt(column, visualIndex);
    Q_EMIT ColumnsChanged();
}

void ResultListView::DeactivateColumn(int column) {
    columns_.Deactivate(column);
    Q_EMIT ColumnsChanged();
}

void ResultListView::ActivateDefaultColumns() {
    columns_.ActivateDefaults();
    Q_EMIT ColumnsChanged();
}

bool ResultListView::ApplyLayout(const core::ColumnLayout& layout) {
    if (!columns_.Apply(layout)) {
        return false;
    }
    Q_EMIT ColumnsChanged();
    return true;
}

bool ResultListView::LoadLayout(const core::Profile& profile) {
    const std::optional<core::ColumnLayout> stored = core::ColumnLayout::Load(
        core::settings::kResultListLayout.Read(profile), ReportColumns::kCount);
    if (stored && ApplyLayout(*stored)) {
        return true;
    }
    ActivateDefaultColumns();
    return false;
}

void ResultListView::StoreLayout(core::Profile& profile) const {
    core::settings::kResultListLayout.Write(profile, Layout().Format());
}

void ResultListView::AutoSizeColumn(int column) {
    if (columns_.IsActive(column) && !header_->isSectionHidden(column)) {
        resizeColumnToContents(column);
    }
}

int ResultListView::sizeHintForColumn(int column) const {
    if (model_ == nullptr) {
        return 0;
    }
    if (ResultListModel::IsPictureColumn(column) || ResultListModel::IsCheckColumn(column)) {
        return PictureBook::kCellPictureSize + 2 * ResultListDelegate::kTextMargin;
    }
    const core::ResultList& list = model_->List();
    const core::ResultCell cell = ResultListModel::CellOf(column);
    std::vector<std::size_t> rows;
    if (list.Count() <= kMeasureAllRows) {
        rows.resize(list.Count());
        std::iota(rows.begin(), rows.end(), std::size_t{0});
    } else {
        // A text's width follows its length closely enough: the widest is among the longest.
        using Entry = std::pair<std::size_t, std::size_t>;  // length, row
        std::priority_queue<Entry, std::vector<Entry>, std::greater<>> longest;
        for (std::size_t row = 0; row < list.Count(); ++row) {
            longest.emplace(list.CellText(row, cell).size(), row);
            if (longest.size() > kLongestTexts) {
                longest.pop();
            }
        }
        for (; !longest.empty(); longest.pop()) {
            rows.push_back(longest.top().second);
        }
    }
    const QFont bold = BoldFont(font());
    int widest = 0;
    for (const std::size_t row : rows) {
        widest = std::max(widest, ResultListDelegate::WidthFor(
                                      model_->Text(static_cast<int>(row), column), bold));
    }
    return widest;
}

// Sorting

void ResultListView::SortByColumn(int column) {
    if (model_ == nullptr || column < 0 || column >= ReportColumns::kCount) {
        return;
    }
    const core::SortMark before = sortMark_;
    const core::SortChoice choice = sortMark_.Click(ResultListModel::CellOf(column));
    // Only the focus row keeps its mark through a sort; a scattered selection would cost a
    // bookkeeping entry per row.
    const QModelIndex current = currentIndex();
    selectionModel()->clearSelection();
    bool sorted = true;
    if (sorter_) {
        sorted = sorter_(choice);
    } else {
        model_->List().Sort(choice.cell, choice.descending);
    }
    if (!sorted) {
        sortMark_ = before;
    } else {
        header_->setSortIndicator(column,
                                  choice.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
    if (current.isValid()) {
        const QModelIndex moved = currentIndex();
        selectionModel()->select(moved, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        scrollTo(moved);
    }
    viewport()->update();
}

int ResultListView::CurrentRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void ResultListView::SetCurrentRow(int row) {
    if (model_ == nullptr || row < 0 || row >= model_->rowCount()) {
        return;
    }
    const int column = columns_.ActiveOrder().empty() ? 0 : columns_.ActiveOrder().back();
    selectionModel()->setCurrentIndex(
        model_->index(row, column),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(currentIndex());
}

void ResultListView::rowCountChanged(int oldCount, int newCount) {
    if (newCount > oldCount) {
        ScheduleRowRange();
    } else {
        SetRowRange();
    }
}

void ResultListView::ScheduleRowRange() {
    if (std::exchange(rowRangeWanted_, true)) {
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (rowRangeWanted_) {
                SetRowRange();
            }
        },
        Qt::QueuedConnection);
}

void ResultListView::SetRowRange() {
    rowRangeWanted_ = false;
    QScrollBar* bar = verticalScrollBar();
    // Every row is as high as the others: the rows that fit follow from the heights alone.
    const int fitting = std::max(1, viewport()->height() / std::max(1, RowHeight()));
    const int rows = model_ != nullptr ? model_->rowCount() : 0;
    bar->setRange(0, std::max(0, rows - fitting));
    bar->setPageStep(fitting);
}

void ResultListView::updateGeometries() {
    QTableView::updateGeometries();
    SetRowRange();
}

void ResultListView::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    QScrollBar* bar = verticalScrollBar();
    if (dy != 0 && bar->value() == bar->maximum() && rowCount_ && rowCount_->Slack() > 0) {
        verticalHeader()->setOffsetToSectionPosition(bar->value());
        viewport()->update();
    }
}

void ResultListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (rowRangeWanted_) {
        SetRowRange();
    }
    QTableView::scrollTo(index, hint);
}

void ResultListView::OnRowsChanged(int first, bool inserted) {
    QScrollBar* bar = verticalScrollBar();
    const int fitting = std::max(1, viewport()->height() / std::max(1, RowHeight()));
    if (first > bar->value() + fitting) {
        if (inserted) {
            ScheduleRowRange();
        } else {
            SetRowRange();
        }
        return;
    }
    updateGeometries();
    verticalHeader()->setOffsetToSectionPosition(bar->value());
    viewport()->update();
}

// Painting

bool ResultListView::ShowsFocus() const {
    return hasFocus() || viewport()->hasFocus();
}

int ResultListView::ContentRight() const {
    return header_->length() - header_->offset();
}

QColor ResultListView::RowBackground(int row, bool selected) const {
    if (selected && ShowsFocus()) {
        return palette().color(QPalette::Active, QPalette::Highlight);
    }
    if (appearance_.alternateRows && row % 2 == 1) {
        return colours_[0];
    }
    return {};
}

void ResultListView::PaintBackground(QPainter& painter, const QRect& area) const {
    painter.fillRect(area, palette().color(QPalette::Base));
    if (!appearance_.background) {
        return;
    }
    const QPixmap picture = PictureBook::Background(*appearance_.background, devicePixelRatioF());
    if (!picture.isNull()) {
        // The picture stays put while the rows scroll over it.
        painter.drawTiledPixmap(area, picture, area.topLeft());
    }
}

void ResultListView::PaintEmptyText(QPainter& painter) const {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(24);
    font.setBold(true);
    font.setItalic(true);
    painter.save();
    painter.setFont(font);
    const QRect area = viewport()->rect();
    const QString text = QString::fromLatin1(kEmptyText);
    painter.setPen(palette().color(QPalette::Button));
    painter.drawText(area.translated(1, 1), Qt::AlignCenter | Qt::TextSingleLine, text);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, text);
    painter.restore();
}

void ResultListView::PaintRow(QPainter& painter, const RowPaint& row) const {
    const QColor background = RowBackground(row.row, row.selected);
    if (background.isValid()) {
        painter.fillRect(row.rect, background);
    }
    const bool focused = ShowsFocus();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.font = BoldFont(font());
    option.state = QStyle::State_Enabled;
    if (row.selected) {
        option.state |= QStyle::State_Selected;
    }
    if (focused) {
        option.state |= QStyle::State_HasFocus;
    }
    const int viewportWidth = viewport()->width();
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int column = header_->logicalIndex(visual);
        if (header_->isSectionHidden(column)) {
            continue;
        }
        const int left = columnViewportPosition(column);
        const int width = columnWidth(column);
        if (left + width <= 0 || left >= viewportWidth) {
            continue;
        }
        option.rect = QRect(left, row.rect.top(), width, CellHeight());
        painter.save();
        painter.setClipRect(option.rect, Qt::IntersectClip);
        delegate_->paint(&painter, option, model_->index(row.row, column));
        painter.restore();
    }
    if (previewHeight_ > 0) {
        const QRect band(row.rect.left(), row.rect.top() + CellHeight(), row.rect.width(),
                         previewHeight_);
        const QColor colour =
            palette().color(QPalette::Active, row.selected && focused ? QPalette::HighlightedText
                                                                      : QPalette::Highlight);
        PreviewBand::Draw(
            painter, band,
            model_->Text(row.row, ResultListModel::ColumnOf(core::ResultCell::Preview)), font(),
            colour);
    }
}

void ResultListView::PaintGrid(QPainter& painter, const RowPaint& row) const {
    painter.setPen(palette().color(QPalette::Mid));
    if (appearance_.verticalGrid) {
        // Through the cells, not through the preview text under them.
        const int bottom =
            row.rect.top() + (previewHeight_ > 0 ? CellHeight() : row.rect.height()) - 1;
        for (int visual = 0; visual < header_->count(); ++visual) {
            const int column = header_->logicalIndex(visual);
            if (header_->isSectionHidden(column)) {
                continue;
            }
            const int x = columnViewportPosition(column) + columnWidth(column) - 1;
            painter.drawLine(x, row.rect.top(), x, bottom);
        }
    }
    if (appearance_.horizontalGrid) {
        const int y = row.rect.bottom() + 1;
        painter.drawLine(row.rect.left(), y, row.rect.right(), y);
    }
}

void ResultListView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    PaintBackground(painter, area);
    if (model_ == nullptr || model_->rowCount() == 0) {
        PaintEmptyText(painter);
        return;
    }
    // The row header may count a few rows more than the list.
    const int rows = model_->rowCount();
    const int first = rowAt(area.top());
    if (first < 0 || first >= rows) {
        return;  // below the last row
    }
    int last = rowAt(area.bottom());
    if (last < 0 || last >= rows) {
        last = rows - 1;
    }
    const int left = -header_->offset();
    const int gridLine = appearance_.horizontalGrid ? 1 : 0;
    const QModelIndex current = currentIndex();
    for (int row = first; row <= last; ++row) {
        const RowPaint paint{
            row,
            QRect(left, rowViewportPosition(row), ContentRight() - left, RowHeight() - gridLine),
            selectionModel()->isSelected(model_->index(row, 0))};
        PaintRow(painter, paint);
        PaintGrid(painter, paint);
        if (ShowsFocus() && current.isValid() && current.row() == row) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = paint.rect;
            focus.backgroundColor = RowBackground(row, paint.selected);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
}

// Mouse and keys

void ResultListView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        // Alone: no other button, no key held.
        if (event->buttons() == Qt::MiddleButton && event->modifiers() == Qt::NoModifier) {
            StartPanning();
        }
        return;
    }
    QTableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || model_ == nullptr) {
        return;
    }
    const QPoint position = event->position().toPoint();
    const QModelIndex index = indexAt(position);
    if (!index.isValid()) {
        return;
    }
    const QRect cell = visualRect(index);
    const bool onCheckBox = ResultListModel::IsCheckColumn(index.column()) &&
                            ResultListDelegate::CheckBoxRect(
                                QRect(cell.left(), cell.top(), cell.width(), CellHeight()), this)
                                .contains(position);
    if (onCheckBox) {
        model_->ToggleSelected(index.row());
    }
    Q_EMIT CellClicked(index.row(), index.column(), onCheckBox);
}

void ResultListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        Q_EMIT RowDoubleClicked(index.row());
    }
}

void ResultListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        RequestMenuAtCurrentRow();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        model_ != nullptr && CurrentRow() >= 0) {
        model_->ToggleSelected(CurrentRow());
        Q_EMIT CellClicked(CurrentRow(), ResultListModel::ColumnOf(core::ResultCell::Select), true);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ResultListView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse) {
        RequestMenuAtCurrentRow();
        return;
    }
    Q_EMIT ContextMenuRequested(indexAt(event->pos()).row(), event->globalPos());
}

void ResultListView::RequestMenuAtCurrentRow() {
    const int row = CurrentRow();
    QPoint position(0, 0);
    if (row >= 0) {
        scrollTo(currentIndex());
        const QRect cell = visualRect(currentIndex());
        position = QPoint(std::max(0, -header_->offset()) + PreviewBand::kIndent / 2,
                          cell.top() + CellHeight());
    }
    Q_EMIT ContextMenuRequested(row, viewport()->mapToGlobal(position));
}

void ResultListView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0 || event->modifiers() != Qt::NoModifier) {
        QTableView::wheelEvent(event);
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    wheelRest_ += delta;
    const int notches = wheelRest_ / kWheelNotch;
    if (wheelLines_ < 0) {
        // A page per notch.
        wheelRest_ -= notches * kWheelNotch;
        bar->setValue(bar->value() - notches * bar->pageStep());
    } else {
        const int lines = wheelRest_ * wheelLines_ / kWheelNotch;
        wheelRest_ -= lines * kWheelNotch / std::max(1, wheelLines_);
        bar->setValue(bar->value() - lines);
    }
    event->accept();
}

void ResultListView::StartPanning() {
    const auto canScroll = [](const QScrollBar* bar) {
        return bar->isVisible() && bar->isEnabled() && bar->maximum() > bar->minimum();
    };
    const bool horizontal = canScroll(horizontalScrollBar());
    const bool vertical = canScroll(verticalScrollBar());
    if (pan_ || (!horizontal && !vertical)) {
        return;
    }
    pan_ = new PanWindow(*this, horizontal, vertical);
    connect(pan_, &PanWindow::Ended, pan_, &QObject::deleteLater);
    pan_->Start();
}

void ResultListView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
}

void ResultListView::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    if (pan_) {
        pan_->End();
    }
    viewport()->update();
}

bool ResultListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        if (!ShowToolTip(static_cast<QHelpEvent*>(event)->pos())) {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QTableView::viewportEvent(event);
}

// Only a cut text gets a tooltip: the whole text, over the cell.
bool ResultListView::ShowToolTip(const QPoint& position) {
    const QModelIndex index = indexAt(position);
    if (model_ == nullptr || !index.isValid() || ResultListModel::IsPictureColumn(index.column()) ||
        ResultListModel::IsCheckColumn(index.column())) {
        return false;
    }
    const QRect row = visualRect(index);
    const QRect cell(row.left(), row.top(), row.width(), CellHeight());
    const QString text = model_->Text(index.row(), index.column());
    if (!cell.contains(position) || !ResultListDelegate::IsCut(text, cell, BoldFont(font()))) {
        return false;
    }
    QToolTip::showText(viewport()->mapToGlobal(cell.topLeft()), text, viewport(), cell);
    return true;
}

}  // namespace quexa::ui
