#include "ui/result_list_model.h"

#include <QAbstractItemModelTester>
#include <QImage>
#include <QPixmap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

#include "core/status_code.h"
#include "files/result_file.h"
#include "list_rows.h"
#include "ui/picture_book.h"

namespace quexa::ui {

using core::ResultCell;
using core::StatusCode;
using core::VisitCode;

class ResultListModelTest : public QObject {
    Q_OBJECT

  private:
    static int Column(ResultCell cell) { return ResultListModel::ColumnOf(cell); }

    // The model and a tester that checks every signal it sends against the model's answers.
    struct Watched {
        explicit Watched(core::ResultList& list)
            : model(list), tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest) {}
        ResultListModel model;
        QAbstractItemModelTester tester;
    };

  private Q_SLOTS:
    void CellsAndPicturesForEveryCode_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("visit");
        QTest::addColumn<QString>("statusText");
        QTest::addColumn<QString>("visitText");
        const std::pair<StatusCode, const char*> statuses[] = {
            {StatusCode::Reachable, "Reachable"}, {StatusCode::Timeout, "Timeout"},
            {StatusCode::Unknown, "Unknown"},     {StatusCode::Unreachable, "Unreachable"},
            {StatusCode::Verifing, "Verifing"},   {StatusCode::Normal, "Normal"},
        };
        int n = 0;
        for (const auto& [status, text] : statuses) {
            const bool visited = n++ % 2 == 1;
            QTest::newRow(text) << int(status) << (visited ? 9 : 8) << text
                                << (visited ? "Visited" : "Without Visit");
        }
    }

    void CellsAndPicturesForEveryCode() {
        QFETCH(int, status);
        QFETCH(int, visit);
        QFETCH(QString, statusText);
        QFETCH(QString, visitText);
        core::ResultList list;
        list.AddItem(0, testing::Item("A title", "http://a.example/", StatusCode(status),
                                      VisitCode(visit), true, "Engine", "The preview"));
        ResultListModel model(list);
        const auto at = [&](ResultCell cell) { return model.index(0, Column(cell)); };

        QCOMPARE(at(ResultCell::Status).data(ResultListModel::CodeRole).toInt(), status);
        QCOMPARE(at(ResultCell::Visit).data(ResultListModel::CodeRole).toInt(), visit);
        QCOMPARE(at(ResultCell::Status).data(Qt::AccessibleTextRole).toString(), statusText);
        QCOMPARE(at(ResultCell::Visit).data(Qt::AccessibleTextRole).toString(), visitText);
        const QPixmap statusPicture =
            at(ResultCell::Status).data(Qt::DecorationRole).value<QPixmap>();
        const QPixmap visitPicture =
            at(ResultCell::Visit).data(Qt::DecorationRole).value<QPixmap>();
        QCOMPARE(statusPicture.size(), QSize(16, 16));
        QCOMPARE(statusPicture.toImage(), PictureBook::CodePicture(status).toImage());
        QCOMPARE(visitPicture.toImage(), PictureBook::CodePicture(visit).toImage());
        // Picture cells carry no text of their own.
        QCOMPARE(at(ResultCell::Status).data(Qt::DisplayRole), QVariant());

        QCOMPARE(at(ResultCell::Preview).data().toString(), QStringLiteral("The preview"));
        QCOMPARE(at(ResultCell::VerifyMark).data().toString(), QStringLiteral("NULL"));
        QCOMPARE(at(ResultCell::Title).data().toString(), QStringLiteral("A title"));
        QCOMPARE(at(ResultCell::Location).data().toString(), QStringLiteral("http://a.example/"));
        QCOMPARE(at(ResultCell::SearchTarget).data().toString(), QStringLiteral("Engine"));
        QCOMPARE(at(ResultCell::Select).data(Qt::CheckStateRole).value<Qt::CheckState>(),
                 Qt::Checked);
        QVERIFY(model.flags(at(ResultCell::Select)) & Qt::ItemIsUserCheckable);
        QVERIFY(!(model.flags(at(ResultCell::Title)) & Qt::ItemIsUserCheckable));
    }

    void EveryCodeHasItsOwnPicture() {
        std::set<QByteArray> seen;
        for (const int code : {3, 4, 5, 6, 7, 8, 9, 10}) {
            const QImage image = PictureBook::CodePicture(code).toImage();
            QVERIFY2(!image.isNull(), qPrintable(QString::number(code)));
            seen.insert(
                QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(seen.size(), std::size_t{8});
        QVERIFY(PictureBook::CodePicture(2).isNull());
        QVERIFY(PictureBook::CodePicture(11).isNull());
    }

    void HeadersAreTheColumnCaptions() {
        core::ResultList list;
        ResultListModel model(list);
        const QStringList expected{"",       "",      "Status",   "Visit",
                                   "Select", "Title", "Location", "Search Target"};
        QCOMPARE(model.columnCount(), expected.size());
        for (int column = 0; column < model.columnCount(); ++column) {
            QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                     expected[column]);
        }
    }

    void CheckingSelectMarksTheListModified() {
        core::ResultList list;
        for (const core::ResultItem& item : testing::MixedRows()) {
            list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), item);
        }
        list.ClearModified();
        Watched watched(list);
        QSignalSpy changed(&watched.model, &QAbstractItemModel::dataChanged);
        const QModelIndex check = watched.model.index(1, Column(ResultCell::Select));
        QVERIFY(watched.model.setData(check, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(list.Item(1).selected);
        QVERIFY(list.IsModified());
        QCOMPARE(changed.count(), 1);
        QVERIFY(watched.model.ToggleSelected(1));
        QVERIFY(!list.Item(1).selected);
        // Only the check can be written.
        QVERIFY(!watched.model.setData(watched.model.index(1, Column(ResultCell::Title)), "x",
                                       Qt::EditRole));
        QVERIFY(!watched.model.ToggleSelected(99));
    }

    void OneInsertionPerBatch() {
        core::ResultList list;
        Watched watched(list);
        QSignalSpy inserted(&watched.model, &QAbstractItemModel::rowsInserted);
        testing::Fill(list, 1000);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 0);
        QCOMPARE(inserted.at(0).at(2).toInt(), 999);
        QCOMPARE(watched.model.rowCount(), 1000);
        testing::Fill(list, 10);
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(inserted.at(1).at(1).toInt(), 1000);
    }

    void LoadedAndDrainedInBatches() {
        QTemporaryDir folder;
        const std::string path = folder.filePath(QStringLiteral("list.qzr")).toStdString();
        {
            core::ResultList saved;
            testing::Fill(saved, 2500);
            QVERIFY(files::WriteResultFile(path, saved, {}));
        }
        core::ResultList list;
        Watched watched(list);
        QSignalSpy inserted(&watched.model, &QAbstractItemModel::rowsInserted);
        QVERIFY(files::LoadResultFile(path, list, {}).Loaded());
        QCOMPARE(watched.model.rowCount(), 2500);
        QVERIFY2(inserted.count() <= 3, qPrintable(QString::number(inserted.count())));
        QCOMPARE(watched.model.Text(2499, Column(ResultCell::Title)),
                 QStringLiteral("Title 002499"));

        // A search's drains: a page at a time, each one insertion at the end.
        inserted.clear();
        std::vector<core::ResultItem> page;
        for (int i = 0; i < 20; ++i) {
            page.push_back(testing::Item("drained " + std::to_string(i),
                                         "http://drained" + std::to_string(i) + ".example/",
                                         StatusCode::Normal, VisitCode::WithoutVisit, false));
        }
        list.AppendItems(std::span(page.data(), 10));
        list.AppendItems(std::span(page.data() + 10, 10));
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(inserted.at(1).at(1).toInt(), 2510);
        QCOMPARE(watched.model.rowCount(), 2520);
    }

    void TesterFollowsEveryChange() {
        core::ResultList list;
        Watched watched(list);
        testing::Fill(list, 300);
        for (const core::ResultItem& item : testing::MixedRows()) {
            list.AddItem(5, item);
        }
        list.AddItemByHand(std::nullopt,
                           testing::Item("hand", "http://hand.example/", StatusCode::Normal,
                                         VisitCode::WithoutVisit, false));
        list.Sort(ResultCell::Title, false);
        list.Sort(ResultCell::Status, true);
        watched.model.sort(Column(ResultCell::Location), Qt::DescendingOrder);
        QVERIFY(list.DeleteItem(3));
        QVERIFY(list.DeleteVerifiedItem(list.Count() - 1));
        QVERIFY(list.SetStatus(7, StatusCode::Verifing));
        list.SelectAll();
        list.ReverseSelect();
        QVERIFY(list.SetSelected(10, true));
        QVERIFY(list.SetSelected(11, true));
        QCOMPARE(list.DeleteSelected(), std::size_t{2});
        QCOMPARE(watched.model.rowCount(), static_cast<int>(list.Count()));
        list.DeleteAll();
        QCOMPARE(watched.model.rowCount(), 0);
        testing::Fill(list, 20);
        QCOMPARE(watched.model.rowCount(), 20);
    }

    void SortKeepsWhatTheViewHoldsOnTo() {
        core::ResultList list;
        for (const core::ResultItem& item : testing::MixedRows()) {
            list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), item);
        }
        Watched watched(list);
        const int column = Column(ResultCell::Title);
        const QPersistentModelIndex charlie(watched.model.index(3, column));
        QCOMPARE(charlie.data().toString(), QStringLiteral("charlie"));
        QSignalSpy aboutToChange(&watched.model, &QAbstractItemModel::layoutAboutToBeChanged);
        QSignalSpy changed(&watched.model, &QAbstractItemModel::layoutChanged);
        watched.model.sort(column, Qt::AscendingOrder);
        QCOMPARE(aboutToChange.count(), 1);
        QCOMPARE(changed.count(), 1);
        // Byte-wise: capitals first, the empty title before them.
        QStringList titles;
        for (int row = 0; row < watched.model.rowCount(); ++row) {
            titles << watched.model.index(row, column).data().toString();
        }
        QCOMPARE(titles, (QStringList{"", "Echo", "alpha", "bravo", "charlie", "delta"}));
        QCOMPARE(charlie.row(), 4);
        QCOMPARE(charlie.data().toString(), QStringLiteral("charlie"));
    }
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::ResultListModelTest)
#include "result_list_model_test.moc"
