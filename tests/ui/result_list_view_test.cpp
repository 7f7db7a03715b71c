#include "ui/result_list_view.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <memory>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "list_rows.h"
#include "paint_counter.h"
#include "ui/column_chooser.h"
#include "ui/column_drag.h"
#include "ui/list_appearance.h"
#include "ui/pan_motion.h"
#include "ui/pan_window.h"
#include "ui/picture_book.h"
#include "ui/report_header.h"
#include "ui/result_list_delegate.h"
#include "ui/result_list_model.h"

namespace quexa::ui {

using core::ResultCell;
using core::StatusCode;
using core::VisitCode;

namespace {

int Column(ResultCell cell) {
    return ResultListModel::ColumnOf(cell);
}

// A shown list over a list of rows, with a tester on its model.
struct Shown {
    // Without a tester where thousands of changes would each have it check the whole model.
    explicit Shown(std::size_t rows = 0, QSize size = QSize(900, 400), bool tested = true) {
        if (tested) {
            tester = std::make_unique<QAbstractItemModelTester>(
                &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        }
        testing::Fill(list, rows);
        view.setModel(&model);
        view.resize(size);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    void AddMixedRows() {
        for (const core::ResultItem& item : testing::MixedRows()) {
            list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), item);
        }
    }
    QPoint CellCentre(int row, int column) {
        const QRect rect = view.visualRect(model.index(row, column));
        return QPoint(rect.center().x(), rect.top() + view.CellHeight() / 2);
    }
    QPoint HeaderCentre(int column) {
        ReportHeader* header = view.Header();
        return QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                      header->height() / 2);
    }
    QStringList Texts(int column) {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row) {
            texts << model.Text(row, column);
        }
        return texts;
    }
    std::vector<int> Codes(int column) {
        std::vector<int> codes;
        for (int row = 0; row < model.rowCount(); ++row) {
            codes.push_back(model.index(row, column).data(ResultListModel::CodeRole).toInt());
        }
        return codes;
    }
    std::vector<int> Checks() {
        std::vector<int> checks;
        for (std::size_t row = 0; row < list.Count(); ++row) {
            checks.push_back(list.Item(row).selected ? 1 : 0);
        }
        return checks;
    }

    core::ResultList list;
    ResultListModel model{list};
    std::unique_ptr<QAbstractItemModelTester> tester;
    ResultListView view;
};

std::vector<int> HeaderOrder(const ResultListView& view) {
    std::vector<int> order;
    const QHeaderView* header = view.Header();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column)) {
            order.push_back(column);
        }
    }
    return order;
}

// Sends a whole drag of a column over a widget and drops it at the point.
void DropColumn(QWidget* target, int column, QPoint at) {
    const std::unique_ptr<QMimeData> data = ColumnDrag::Encode(column);
    QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

}  // namespace

class ResultListViewTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void HiddenCellsAndDefaultColumns() {
        Shown shown(3);
        QCOMPARE(HeaderOrder(shown.view), (std::vector<int>{2, 3, 4, 5, 6, 7}));
        QCOMPARE(shown.view.Layout().order(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(shown.view.columnWidth(Column(ResultCell::Title)), 200);
        QCOMPARE(shown.view.columnWidth(Column(ResultCell::SearchTarget)), 100);
        QCOMPARE(shown.view.accessibleName(), QStringLiteral("Result List"));
    }

    void CheckBoxClickFlipsSelectedAndMarksModified() {
        Shown shown;
        shown.AddMixedRows();
        shown.list.ClearModified();
        QSignalSpy clicks(&shown.view, &ResultListView::CellClicked);
        const int select = Column(ResultCell::Select);
        QVERIFY(!shown.list.Item(1).selected);
        QTest::mouseClick(shown.view.viewport(), Qt::LeftButton, {}, shown.CellCentre(1, select));
        QVERIFY(shown.list.Item(1).selected);
        QVERIFY(shown.list.IsModified());
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0), (QList<QVariant>{1, select, true}));

        // A click beside the box, or on a text, flips nothing.
        const QRect cell = shown.view.visualRect(shown.model.index(1, select));
        QTest::mouseClick(shown.view.viewport(), Qt::LeftButton, {},
                          QPoint(cell.left() + 1, cell.top() + 1));
        QTest::mouseClick(shown.view.viewport(), Qt::LeftButton, {},
                          shown.CellCentre(1, Column(ResultCell::Title)));
        QVERIFY(shown.list.Item(1).selected);
        QCOMPARE(clicks.count(), 3);
        QCOMPARE(clicks.at(2), (QList<QVariant>{1, Column(ResultCell::Title), false}));

        // Space flips the current row's check.
        QTest::keyClick(&shown.view, Qt::Key_Space);
        QVERIFY(!shown.list.Item(1).selected);
    }

    void SortsBothWaysByEveryColumn_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("Status") << Column(ResultCell::Status) << QStringList();
        QTest::newRow("Visit") << Column(ResultCell::Visit) << QStringList();
        QTest::newRow("Select") << Column(ResultCell::Select) << QStringList();
        QTest::newRow("Title") << Column(ResultCell::Title)
                               << QStringList{"", "Echo", "alpha", "bravo", "charlie", "delta"};
        QTest::newRow("Location") << Column(ResultCell::Location)
                                  << QStringList{"http://a.example/", "http://b.example/",
                                                 "http://c.example/", "http://d.example/",
                                                 "http://e.example/", "http://f.example/"};
        QTest::newRow("Search Target")
            << Column(ResultCell::SearchTarget)
            << QStringList{"", "Alpha", "Beta", "Charlie", "Delta", "Echo"};
    }

    void SortsBothWaysByEveryColumn() {
        QFETCH(int, column);
        QFETCH(QStringList, ascending);
        Shown shown;
        shown.AddMixedRows();
        // The focus row is the one titled "charlie".
        shown.view.setFocus();
        shown.view.SetCurrentRow(3);
        for (const bool descending : {false, true}) {
            QTest::mouseClick(shown.view.Header()->viewport(), Qt::LeftButton, {},
                              shown.HeaderCentre(column));
            QCOMPARE(shown.view.Header()->sortIndicatorSection(), column);
            QCOMPARE(shown.view.Header()->sortIndicatorOrder(),
                     descending ? Qt::DescendingOrder : Qt::AscendingOrder);
            if (column == Column(ResultCell::Status)) {
                std::vector<int> expected{3, 4, 5, 6, 7, 10};
                if (descending) {
                    std::reverse(expected.begin(), expected.end());
                }
                QCOMPARE(shown.Codes(column), expected);
            } else if (column == Column(ResultCell::Visit)) {
                std::vector<int> expected{8, 8, 8, 9, 9, 9};
                if (descending) {
                    std::reverse(expected.begin(), expected.end());
                }
                QCOMPARE(shown.Codes(column), expected);
            } else if (column == Column(ResultCell::Select)) {
                std::vector<int> expected{0, 0, 0, 0, 1, 1};
                if (descending) {
                    std::reverse(expected.begin(), expected.end());
                }
                QCOMPARE(shown.Checks(), expected);
            } else {
                QStringList expected = ascending;
                if (descending) {
                    std::reverse(expected.begin(), expected.end());
                }
                QCOMPARE(shown.Texts(column), expected);
            }
            QCOMPARE(shown.model.Text(shown.view.CurrentRow(), Column(ResultCell::Title)),
                     QStringLiteral("charlie"));
        }
    }

    void FocusRowStaysShownAfterASort() {
        Shown shown(500, QSize(700, 300));
        shown.view.setFocus();
        shown.view.SetCurrentRow(480);
        QSignalSpy clicked(&shown.view, &ResultListView::HeaderClicked);
        const int title = Column(ResultCell::Title);
        shown.view.SortByColumn(title);  // ascending: already in that order
        QTest::mouseClick(shown.view.Header()->viewport(), Qt::LeftButton, {},
                          shown.HeaderCentre(title));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(shown.view.SortedBy()->descending, true);
        QCOMPARE(shown.view.CurrentRow(), 19);
        QCOMPARE(shown.model.Text(19, title), QStringLiteral("Title 000480"));
        QVERIFY(shown.view.viewport()->rect().intersects(
            shown.view.visualRect(shown.view.currentIndex())));
        QVERIFY(shown.view.selectionModel()->isRowSelected(19, {}));
    }

    void InstalledSorterDecidesAndARefusalKeepsTheMark() {
        Shown shown;
        shown.AddMixedRows();
        std::vector<core::SortChoice> asked;
        bool allow = true;
        shown.view.SetSorter([&](core::SortChoice choice) {
            asked.push_back(choice);
            if (allow) {
                shown.list.Sort(choice.cell, choice.descending);
            }
            return allow;
        });
        const int title = Column(ResultCell::Title);
        shown.view.SortByColumn(title);
        QCOMPARE(asked.size(), std::size_t{1});
        QCOMPARE(shown.view.Header()->sortIndicatorSection(), title);
        allow = false;
        shown.view.SortByColumn(title);
        QCOMPARE(asked.size(), std::size_t{2});
        QVERIFY(asked.back().descending);
        // Refused: the mark and the rows stay, and the next click asks for the same again.
        QCOMPARE(shown.view.Header()->sortIndicatorOrder(), Qt::AscendingOrder);
        QVERIFY(!shown.view.SortedBy()->descending);
        QCOMPARE(shown.model.Text(0, title), QString());
        allow = true;
        shown.view.SortByColumn(title);
        QVERIFY(asked.back().descending);
        QCOMPARE(shown.model.Text(0, title), QStringLiteral("delta"));
    }

    void RowsAddedOutOfSightCostNoPaint() {
        Shown shown(200, QSize(700, 300));
        QTest::qWait(50);
        testing::PaintCounter paints;
        shown.view.viewport()->installEventFilter(&paints);
        testing::Fill(shown.list, 1000);
        QTest::qWait(50);
        QCOMPARE(paints.count, 0);
        // The scroll bar reaches the new end as the table itself would set it.
        QScrollBar* bar = shown.view.verticalScrollBar();
        const int maximum = bar->maximum();
        QVERIFY(maximum > 1000);
        shown.view.resize(701, 300);
        shown.view.resize(700, 300);
        QTest::qWait(20);
        QCOMPARE(bar->maximum(), maximum);
        // At the end of the list the new rows come into sight.
        shown.view.verticalScrollBar()->setValue(shown.view.verticalScrollBar()->maximum());
        QTest::qWait(50);
        paints.count = 0;
        testing::Fill(shown.list, 5);
        QTRY_VERIFY(paints.count > 0);
        // So do rows put in above.
        shown.view.verticalScrollBar()->setValue(0);
        QTest::qWait(50);
        paints.count = 0;
        shown.list.AddItem(0, testing::Item("first", "http://first.example/", StatusCode::Normal,
                                            VisitCode::WithoutVisit, false));
        QTRY_VERIFY(paints.count > 0);
        QCOMPARE(shown.model.Text(0, Column(ResultCell::Title)), QStringLiteral("first"));
    }

    // A search adds its rows one by one: the scroll range follows once per turn of the event
    // loop, yet the newest row can be scrolled to at once.
    void RowsAddedOneByOneSetTheRangeOncePerTurn() {
        Shown shown(0, QSize(700, 300), false);
        QScrollBar* bar = shown.view.verticalScrollBar();
        QSignalSpy ranges(bar, &QScrollBar::rangeChanged);
        const auto add = [&shown](int count) {
            for (int i = 0; i < count; ++i) {
                const std::string title = "Found " + std::to_string(shown.list.Count());
                shown.list.AddItem(static_cast<std::ptrdiff_t>(shown.list.Count()),
                                   testing::Item(title, "/tmp/" + title, StatusCode::Reachable,
                                                 VisitCode::WithoutVisit, false));
            }
        };
        add(500);
        QVERIFY(ranges.count() <= 2);
        QTRY_COMPARE(bar->maximum(), 500 - bar->pageStep());
        QVERIFY(ranges.count() <= 3);

        add(200);
        const QModelIndex last = shown.model.index(699, Column(ResultCell::Title));
        shown.view.scrollTo(last, QAbstractItemView::PositionAtBottom);
        QCOMPARE(bar->maximum(), 700 - bar->pageStep());
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(shown.view.viewport()->rect().intersects(shown.view.visualRect(last)));
    }

    void DeletionsKeepTheViewInStep() {
        Shown shown(3000, QSize(700, 300), false);
        QTest::qWait(50);
        testing::PaintCounter paints;
        shown.view.viewport()->installEventFilter(&paints);
        QScrollBar* bar = shown.view.verticalScrollBar();
        const int fitting = bar->pageStep();
        for (int i = 0; i < 100; ++i) {
            QVERIFY(shown.list.DeleteVerifiedItem(2000));
        }
        QTest::qWait(50);
        QCOMPARE(paints.count, 0);
        QCOMPARE(bar->maximum(), 2900 - fitting);
        // The row header may count more rows, but never fewer, and not many more.
        QHeaderView* rows = shown.view.verticalHeader();
        QVERIFY(rows->count() >= 2900);
        for (int i = 0; i < 1500; ++i) {
            QVERIFY(shown.list.DeleteVerifiedItem(1000));
        }
        QVERIFY(rows->count() >= 1400);
        QVERIFY(rows->count() - 1400 <= 1024);
        // Ctrl+End finds the list's real end.
        shown.view.setFocus();
        QTest::keyClick(&shown.view, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(shown.view.CurrentRow(), 1399);
        QCOMPARE(shown.model.Text(1399, Column(ResultCell::Title)), QStringLiteral("Title 002999"));
        QVERIFY(shown.view.viewport()->rect().intersects(
            shown.view.visualRect(shown.view.currentIndex())));
        // A deletion in sight shows the row that takes its place.
        bar->setValue(100);
        QTest::qWait(20);
        paints.count = 0;
        const int top = bar->value();
        const QString next = shown.model.Text(top + 1, Column(ResultCell::Title));
        QVERIFY(shown.list.DeleteVerifiedItem(static_cast<std::size_t>(top)));
        QTRY_VERIFY(paints.count > 0);
        QCOMPARE(bar->value(), top);
        QCOMPARE(shown.model.Text(shown.view.rowAt(1), Column(ResultCell::Title)), next);
        shown.list.DeleteAll();
        QCOMPARE(rows->count(), 0);
        QCOMPARE(bar->maximum(), 0);
    }

    void LayoutRoundTrip() {
        core::MemoryProfile profile;
        {
            Shown shown(3);
            ReportHeader* header = shown.view.Header();
            header->moveSection(header->visualIndex(Column(ResultCell::Location)),
                                header->visualIndex(Column(ResultCell::Title)));
            header->resizeSection(Column(ResultCell::Title), 321);
            shown.view.DeactivateColumn(Column(ResultCell::Visit));
            shown.view.StoreLayout(profile);
        }
        QCOMPARE(QString::fromStdString(core::settings::kResultListLayout.Read(profile)),
                 QStringLiteral("(8,7) 0 0 60 60 60 321 200 100 0 1 2 4 6 5 7"));
        Shown restored(3);
        QVERIFY(restored.view.LoadLayout(profile));
        QCOMPARE(HeaderOrder(restored.view), (std::vector<int>{2, 4, 6, 5, 7}));
        QCOMPARE(restored.view.columnWidth(Column(ResultCell::Title)), 321);
        QVERIFY(!restored.view.Columns().IsActive(Column(ResultCell::Visit)));
        QCOMPARE(restored.view.Layout().Format(), core::settings::kResultListLayout.Read(profile));
        // A reset of the rows keeps the columns as they are.
        restored.list.DeleteAll();
        QCOMPARE(HeaderOrder(restored.view), (std::vector<int>{2, 4, 6, 5, 7}));
    }

    void StoredLayoutThatDoesNotFitIsIgnored_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("seven columns") << "(7,6) 0 0 50 50 50 250 250 1 2 3 4 5 6";
        QTest::newRow("nothing shown") << "(8,0) 0 0 50 50 50 250 250 90";
        QTest::newRow("garbage") << "(8,8) 0 0 50";
        QTest::newRow("empty") << "";
    }

    void StoredLayoutThatDoesNotFitIsIgnored() {
        QFETCH(QString, stored);
        core::MemoryProfile profile;
        core::settings::kResultListLayout.Write(profile, stored.toStdString());
        Shown shown(3);
        shown.view.DeactivateColumn(Column(ResultCell::Title));
        QVERIFY(!shown.view.LoadLayout(profile));
        QCOMPARE(HeaderOrder(shown.view), (std::vector<int>{2, 3, 4, 5, 6, 7}));
        QCOMPARE(shown.view.columnWidth(Column(ResultCell::Title)), 200);
    }

    void ChooserHidesAndShowsColumns() {
        Shown shown(3);
        ColumnChooser chooser(shown.view);
        QCOMPARE(chooser.count(), 0);
        // A header section dropped on the chooser is hidden and listed.
        DropColumn(chooser.viewport(), Column(ResultCell::Location), QPoint(5, 5));
        QCOMPARE(HeaderOrder(shown.view), (std::vector<int>{2, 3, 4, 5, 7}));
        QCOMPARE(chooser.count(), 1);
        QCOMPARE(chooser.item(0)->text(), QStringLiteral("Location"));
        DropColumn(chooser.viewport(), Column(ResultCell::Status), QPoint(5, 5));
        QCOMPARE(chooser.count(), 2);

        // Dropped on the header it comes back before the section under the mouse's half.
        const QPoint overTitle = shown.HeaderCentre(Column(ResultCell::Title)) - QPoint(10, 0);
        DropColumn(shown.view.Header()->viewport(), Column(ResultCell::Location), overTitle);
        QCOMPARE(HeaderOrder(shown.view), (std::vector<int>{3, 4, 6, 5, 7}));
        QCOMPARE(chooser.count(), 1);
        QCOMPARE(chooser.item(0)->text(), QStringLiteral("Status"));
        // Activating the entry by keyboard shows it at the end.
        chooser.setFocus();
        chooser.setCurrentRow(0);
        QTest::keyClick(&chooser, Qt::Key_Return);
        QCOMPARE(HeaderOrder(shown.view), (std::vector<int>{3, 4, 6, 5, 7, 2}));
        QCOMPARE(chooser.count(), 0);
    }

    void DragOutEndDecidesTheHiding_data() {
        QTest::addColumn<int>("taken");
        QTest::addColumn<int>("held");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("let go where nothing takes it") << int(Qt::IgnoreAction) << 0 << true;
        QTest::newRow("Escape with the button held")
            << int(Qt::IgnoreAction) << int(Qt::LeftButton) << false;
        QTest::newRow("right button held, left let go")
            << int(Qt::IgnoreAction) << int(Qt::RightButton) << true;
        QTest::newRow("taken by the chooser or the header") << int(Qt::MoveAction) << 0 << false;
        QTest::newRow("copied by a target") << int(Qt::CopyAction) << 0 << false;
    }

    void DragOutEndDecidesTheHiding() {
        QFETCH(int, taken);
        QFETCH(int, held);
        QFETCH(bool, hidden);
        QCOMPARE(ColumnDrag::HidesAfterDragOut(static_cast<Qt::DropAction>(taken),
                                               Qt::MouseButtons(held)),
                 hidden);
    }

    void OffTheHeaderNeedsHalfItsHeight_data() {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("off");
        QTest::newRow("inside") << 10 << 20 << false;
        QTest::newRow("just below") << 25 << 20 << false;
        QTest::newRow("half below, at the edge") << 30 << 20 << false;
        QTest::newRow("past half below") << 31 << 20 << true;
        QTest::newRow("half above, at the edge") << -10 << 20 << false;
        QTest::newRow("past half above") << -11 << 20 << true;
        QTest::newRow("odd height rounds the margin down") << 32 << 21 << true;
        QTest::newRow("far away") << 500 << 20 << true;
    }

    void OffTheHeaderNeedsHalfItsHeight() {
        QFETCH(int, y);
        QFETCH(int, height);
        QFETCH(bool, off);
        QCOMPARE(ColumnDrag::IsOffTheHeader(y, height), off);
    }

    // Offscreen a drag ends at once with nothing taking it, as a drop on the desktop would; the
    // events are sent past the window system, so no button counts as still held.
    void SectionDraggedOffTheHeaderIsHidden() {
        Shown shown(3);
        ReportHeader* header = shown.view.Header();
        QSignalSpy changed(&shown.view, &ResultListView::ColumnsChanged);
        QSignalSpy clicked(header, &ReportHeader::ColumnClicked);
        const QPoint start = shown.HeaderCentre(Column(ResultCell::Location));
        const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(at), QPointF(header->viewport()->mapToGlobal(at)),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(header->viewport(), &event);
        };
        send(QEvent::MouseButtonPress, start, Qt::LeftButton);
        const int margin = header->height() + header->height() / 2;
        send(QEvent::MouseMove, QPoint(start.x(), margin), Qt::LeftButton);
        QCOMPARE(HeaderOrder(shown.view), (std::vector<int>{2, 3, 4, 5, 6, 7}));
        send(QEvent::MouseMove, QPoint(start.x(), margin + 1), Qt::LeftButton);
        QCOMPARE(HeaderOrder(shown.view), (std::vector<int>{2, 3, 4, 5, 7}));
        QCOMPARE(changed.count(), 1);
        // The release that follows is no click: the list is not sorted by it.
        send(QEvent::MouseButtonRelease, QPoint(start.x(), margin + 1), Qt::NoButton);
        QCOMPARE(clicked.count(), 0);

        // A right-button drag never takes a section out.
        const QPoint title = shown.HeaderCentre(Column(ResultCell::Title));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(title),
                          QPointF(header->viewport()->mapToGlobal(title)), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &press);
        send(QEvent::MouseMove, QPoint(title.x(), 5 * header->height()), Qt::RightButton);
        QCOMPARE(HeaderOrder(shown.view), (std::vector<int>{2, 3, 4, 5, 7}));
    }

    void HeaderMenuOffersTheFieldManager() {
        Shown shown(3);
        QSignalSpy requested(&shown.view, &ResultListView::FieldManagerRequested);
        QStringList entries;
        bool titleEnabled = true;
        QString defaultEntry;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            for (QAction* action : menu->actions()) {
                entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
            }
            titleEnabled = menu->actions().at(0)->isEnabled();
            defaultEntry = menu->defaultAction()->text();
            menu->defaultAction()->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                shown.view.Header()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(shown.view.Header()->viewport(), &event);
        QCOMPARE(entries, (QStringList{"Quexa", "-", "Field Manager"}));
        QVERIFY(!titleEnabled);
        QCOMPARE(defaultEntry, QStringLiteral("Field Manager"));
        QCOMPARE(requested.count(), 1);
    }

    void PreviewToggleChangesRowHeights() {
        Shown shown(10);
        shown.view.ApplyAppearance(ListAppearance{});
        const int cell = shown.view.CellHeight();
        QCOMPARE(shown.view.rowHeight(4), cell);
        shown.view.SetPreviewHeight(50);
        QCOMPARE(shown.view.rowHeight(4), cell + 50);
        QCOMPARE(shown.view.rowViewportPosition(2), 2 * (cell + 50));
        ListAppearance grid;
        grid.horizontalGrid = true;
        shown.view.ApplyAppearance(grid);
        QCOMPARE(shown.view.rowHeight(9), cell + 51);
        shown.view.SetPreviewHeight(0);
        QCOMPARE(shown.view.rowHeight(9), cell + 1);
    }

    void AppearanceFollowsTheSettings_data() {
        QTest::addColumn<int>("useImage");
        QTest::addColumn<int>("image");
        QTest::addColumn<int>("alternate");
        QTest::addColumn<int>("hgrid");
        QTest::addColumn<int>("vgrid");
        QTest::addColumn<int>("expectedImage");
        QTest::newRow("defaults") << -1 << -1 << -1 << -1 << -1 << 6;
        QTest::newRow("all on") << 1 << 3 << 1 << 1 << 1 << 3;
        QTest::newRow("no picture") << 0 << 3 << 0 << 0 << 0 << -1;
        QTest::newRow("unknown picture") << 1 << 42 << 1 << 0 << 1 << 0;
    }

    void AppearanceFollowsTheSettings() {
        QFETCH(int, useImage);
        QFETCH(int, image);
        QFETCH(int, alternate);
        QFETCH(int, hgrid);
        QFETCH(int, vgrid);
        QFETCH(int, expectedImage);
        namespace settings = core::settings;
        core::MemoryProfile profile;
        const auto write = [&profile](const core::IntSetting& setting, int value) {
            if (value >= 0) {
                setting.Write(profile, value);
            }
        };
        write(settings::kUseBackgroundImage, useImage);
        write(settings::kBackgroundImage, image);
        write(settings::kAlternateColor, alternate);
        write(settings::kHorizontalGrid, hgrid);
        write(settings::kVerticalGrid, vgrid);
        const ListAppearance appearance = ListAppearance::FromProfile(profile);
        QCOMPARE(appearance.background.value_or(-1), expectedImage);
        QCOMPARE(appearance.alternateRows, alternate == 1);
        QCOMPARE(appearance.horizontalGrid, hgrid != 0);
        QCOMPARE(appearance.verticalGrid, vgrid == 1);

        // What is painted follows: the second row's empty preview cell, a divider, the area
        // below the rows.
        Shown shown(4, QSize(700, 300));
        shown.view.ApplyAppearance(appearance);
        const QImage picture = shown.view.viewport()->grab().toImage();
        const int scale = static_cast<int>(picture.devicePixelRatio());
        const auto pixel = [&](QPoint at) { return picture.pixelColor(at * scale); };
        const QRect target =
            shown.view.visualRect(shown.model.index(1, Column(ResultCell::SearchTarget)));
        const QColor rowTwo = pixel(QPoint(target.right() - 3, target.top() + 2));
        if (appearance.alternateRows) {
            QCOMPARE(rowTwo, shown.view.Colour(0));
        } else {
            QVERIFY(rowTwo != shown.view.Colour(0));
        }
        const QRect title = shown.view.visualRect(shown.model.index(0, Column(ResultCell::Title)));
        const QRgb grid = shown.view.palette().color(QPalette::Mid).rgb();
        QCOMPARE(pixel(QPoint(title.right(), title.top() + 3)).rgb() == grid,
                 appearance.verticalGrid);
        QCOMPARE(pixel(QPoint(title.left() + 2, title.bottom())).rgb() == grid,
                 appearance.horizontalGrid);
        const int belowRows = shown.view.rowViewportPosition(3) + shown.view.rowHeight(3) + 10;
        const QImage below = picture.copy(0, belowRows * scale, 160 * scale, 80 * scale);
        const QRgb base = shown.view.palette().color(QPalette::Base).rgb();
        bool plain = true;
        for (int y = 0; y < below.height() && plain; ++y) {
            for (int x = 0; x < below.width() && plain; ++x) {
                plain = below.pixel(x, y) == base;
            }
        }
        QCOMPARE(plain, !appearance.background.has_value());
    }

    void EmptyListShowsItsText() {
        Shown shown(0, QSize(600, 300));
        const QImage empty = shown.view.viewport()->grab().toImage();
        const QRgb shadow = shown.view.palette().color(QPalette::Dark).rgb();
        int shadowPixels = 0;
        for (int y = 0; y < empty.height(); ++y) {
            for (int x = 0; x < empty.width(); ++x) {
                shadowPixels += empty.pixel(x, y) == shadow ? 1 : 0;
            }
        }
        QVERIFY2(shadowPixels > 50, qPrintable(QString::number(shadowPixels)));
        testing::Fill(shown.list, 2);
        QVERIFY(shown.view.viewport()->grab().toImage() != empty);
    }

    void ClicksAndKeysBecomeNotices() {
        Shown shown;
        shown.AddMixedRows();
        QSignalSpy doubleClicks(&shown.view, &ResultListView::RowDoubleClicked);
        QSignalSpy menus(&shown.view, &ResultListView::ContextMenuRequested);
        QSignalSpy currents(&shown.view, &ResultListView::CurrentRowChanged);
        const int title = Column(ResultCell::Title);
        QTest::mouseDClick(shown.view.viewport(), Qt::LeftButton, {}, shown.CellCentre(2, title));
        QCOMPARE(doubleClicks.count(), 1);
        QCOMPARE(doubleClicks.at(0).at(0).toInt(), 2);
        QCOMPARE(currents.last().at(0).toInt(), 2);

        // Right clicks: the row under the mouse, or -1 below the rows.
        const QPoint onRow = shown.CellCentre(4, title);
        QContextMenuEvent mouse(QContextMenuEvent::Mouse, onRow,
                                shown.view.viewport()->mapToGlobal(onRow));
        QApplication::sendEvent(shown.view.viewport(), &mouse);
        QCOMPARE(menus.last().at(0).toInt(), 4);
        QContextMenuEvent empty(QContextMenuEvent::Mouse, QPoint(10, 390), QPoint(10, 390));
        QApplication::sendEvent(shown.view.viewport(), &empty);
        QCOMPARE(menus.last().at(0).toInt(), -1);

        // The Menu key and Shift+F10 open it at the current row.
        shown.view.setFocus();
        QTest::keyClick(&shown.view, Qt::Key_Down);
        QCOMPARE(shown.view.CurrentRow(), 3);
        QCOMPARE(currents.last().at(0).toInt(), 3);
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(1, 1), QPoint(1, 1));
        QApplication::sendEvent(shown.view.viewport(), &key);
        QCOMPARE(menus.last().at(0).toInt(), 3);
        QTest::keyClick(&shown.view, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(menus.count(), 4);
        QCOMPARE(menus.last().at(0).toInt(), 3);
        const QRect row = shown.view.visualRect(shown.model.index(3, title));
        const QPoint at = shown.view.viewport()->mapFromGlobal(menus.last().at(1).toPoint());
        QVERIFY(at.y() >= row.top() && at.y() <= row.bottom() + 1);
    }

    void DividerDoubleClickFitsTheWidestText() {
        Shown shown;
        shown.AddMixedRows();
        shown.list.AddItem(0, testing::Item(std::string(60, 'W'), "http://w.example/",
                                            StatusCode::Normal, VisitCode::WithoutVisit, false));
        const int title = Column(ResultCell::Title);
        QFont bold = shown.view.font();
        bold.setBold(true);
        const int widest = ResultListDelegate::WidthFor(QString(60, QLatin1Char('W')), bold);
        ReportHeader* header = shown.view.Header();
        const int divider = header->sectionViewportPosition(title) + header->sectionSize(title) - 1;
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                           QPoint(divider, header->height() / 2));
        QCOMPARE(shown.view.columnWidth(title), widest);
        // A picture column keeps room for its caption.
        shown.view.AutoSizeColumn(Column(ResultCell::Status));
        QVERIFY(shown.view.columnWidth(Column(ResultCell::Status)) >=
                PictureBook::kCellPictureSize);
        QVERIFY(shown.view.columnWidth(Column(ResultCell::Status)) >=
                header->sectionSizeHint(Column(ResultCell::Status)));
    }

    void TooltipShowsCutTextOnly() {
        Shown shown;
        const QString longTitle = QString(59, QLatin1Char('M')) + QLatin1Char('!');
        shown.list.AddItem(0, testing::Item(longTitle.toStdString(), "http://a.example/",
                                            StatusCode::Normal, VisitCode::WithoutVisit, false));
        shown.list.AddItem(1, testing::Item("short", "http://b.example/", StatusCode::Normal,
                                            VisitCode::WithoutVisit, false));
        const int title = Column(ResultCell::Title);
        const QPoint cut = shown.CellCentre(0, title);
        QHelpEvent over(QEvent::ToolTip, cut, shown.view.viewport()->mapToGlobal(cut));
        QApplication::sendEvent(shown.view.viewport(), &over);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), longTitle);
        const QPoint whole = shown.CellCentre(1, title);
        QHelpEvent overShort(QEvent::ToolTip, whole, shown.view.viewport()->mapToGlobal(whole));
        QApplication::sendEvent(shown.view.viewport(), &overShort);
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void WheelScrollsByTheWheelLines() {
        Shown shown(200, QSize(700, 300));
        QScrollBar* bar = shown.view.verticalScrollBar();
        const auto wheel = [&](int delta) {
            const QPointF at(50, 50);
            QWheelEvent event(at, shown.view.viewport()->mapToGlobal(at), QPoint(),
                              QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(shown.view.viewport(), &event);
        };
        shown.view.SetWheelLines(3);
        wheel(-120);
        QCOMPARE(bar->value(), 3);
        wheel(-240);
        QCOMPARE(bar->value(), 9);
        wheel(120);
        QCOMPARE(bar->value(), 6);
        // Half notches add up.
        wheel(-60);
        QCOMPARE(bar->value(), 7);
        wheel(-60);
        QCOMPARE(bar->value(), 9);
        shown.view.SetWheelLines(-1);
        wheel(-120);
        QCOMPARE(bar->value(), 9 + bar->pageStep());
    }

    void PanMotionFollowsThePointer_data() {
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("pointer");
        using D = PanMotion::Direction;
        using P = PanMotion::Pointer;
        QTest::newRow("resting") << QPoint(3, -4) << int(D::Up) << 0 << int(P::Neutral);
        QTest::newRow("near but out of the rest")
            << QPoint(0, 6) << int(D::Down) << 0 << int(P::Down);
        QTest::newRow("right") << QPoint(40, 10) << int(D::Right) << 5 << int(P::Right);
        QTest::newRow("left") << QPoint(-17, 16) << int(D::Left) << 2 << int(P::Left);
        QTest::newRow("equal goes vertical") << QPoint(-24, -24) << int(D::Up) << 3 << int(P::Up);
        QTest::newRow("down") << QPoint(2, 80) << int(D::Down) << 10 << int(P::Down);
        QTest::newRow("at the origin's column")
            << QPoint(0, 0) << int(D::Up) << 0 << int(P::Neutral);
    }

    void PanMotionFollowsThePointer() {
        QFETCH(QPoint, offset);
        QFETCH(int, direction);
        QFETCH(int, distance);
        QFETCH(int, pointer);
        const PanMotion motion = PanMotion::From(offset);
        QCOMPARE(int(motion.direction), direction);
        QCOMPARE(motion.distance, distance);
        QCOMPARE(int(motion.pointer), pointer);
    }

    void PanningScrollsSidewaysByPixelsAndByRows() {
        Shown shown(200, QSize(400, 300));
        PanWindow pan(shown.view, true, true);
        QScrollBar* across = shown.view.horizontalScrollBar();
        QScrollBar* down = shown.view.verticalScrollBar();
        QVERIFY(across->maximum() > 0);
        pan.Step(QPoint(80, 4));
        QCOMPARE(across->value(), 10);
        pan.Step(QPoint(-800, 0));
        QCOMPARE(across->value(), 0);
        QCOMPARE(int(pan.PointerShape()), int(PanMotion::Pointer::Left));
        // One row per pause, however far the pointer is.
        QTest::qWait(PanWindow::kRowPause + 10);
        pan.Step(QPoint(0, 400));
        pan.Step(QPoint(0, 400));
        QCOMPARE(down->value(), 1);
        QTest::qWait(PanWindow::kRowPause + 10);
        pan.Step(QPoint(0, -400));
        QCOMPARE(down->value(), 0);
    }

    void RowsAndCellsReadThroughAccessibility() {
        Shown shown;
        shown.AddMixedRows();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&shown.view);
        QVERIFY(table != nullptr);
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Result List"));
        QAccessibleTableInterface* cells = table->tableInterface();
        QVERIFY(cells != nullptr);
        QCOMPARE(cells->rowCount(), 6);
        QAccessibleInterface* title = cells->cellAt(2, Column(ResultCell::Title));
        QVERIFY(title != nullptr);
        QCOMPARE(title->text(QAccessible::Name), QStringLiteral("Echo"));
        QCOMPARE(cells->cellAt(2, Column(ResultCell::Status))->text(QAccessible::Name),
                 QStringLiteral("Reachable"));
        QAccessibleInterface* check = cells->cellAt(0, Column(ResultCell::Select));
        QVERIFY(check->state().checkable);
        QVERIFY(check->state().checked);
        QCOMPARE(cells->columnDescription(Column(ResultCell::Location)),
                 QStringLiteral("Location"));
    }
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::ResultListViewTest)
#include "result_list_view_test.moc"
