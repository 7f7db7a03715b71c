#include "ui/summarize_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "tasks/summary_rows.h"
#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

constexpr int kPictureColumn = 0;
constexpr int kTextColumn = 1;
constexpr int kCountColumn = 2;

// The total has no code of its own: it gets a picture of its own.
QPixmap RowPicture(int picture, qreal scale) {
    const int size = PictureBook::kCellPictureSize;
    return picture == 0
               ? PictureBook::Picture(QStringLiteral("count_total"), QSize(size, size), scale)
               : PictureBook::CodePicture(picture, scale);
}

QTreeWidgetItem* RowItem(const tasks::SummaryRow& row, qreal scale) {
    auto* item = new QTreeWidgetItem;
    item->setIcon(kPictureColumn, QIcon(RowPicture(row.picture, scale)));
    item->setText(kTextColumn,
                  QString::fromUtf8(row.text.data(), static_cast<qsizetype>(row.text.size())));
    item->setText(kCountColumn, QString::fromStdString(row.count));
    item->setTextAlignment(kCountColumn, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

SummarizeDialog::SummarizeDialog(const core::ResultList::Summary& summary, QWidget* parent)
    : QDialog(parent), counts_(new QTreeWidget(this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    counts_->setAccessibleName(QStringLiteral("Summary"));
    counts_->setRootIsDecorated(false);
    counts_->setColumnCount(3);
    counts_->setHeaderLabels(
        {QStringLiteral("!"), QStringLiteral("Status"), QStringLiteral("Count")});
    counts_->headerItem()->setTextAlignment(kPictureColumn, Qt::AlignCenter);
    counts_->headerItem()->setTextAlignment(kCountColumn, Qt::AlignRight | Qt::AlignVCenter);
    counts_->setColumnWidth(kPictureColumn, 20 + counts_->indentation());
    counts_->setColumnWidth(kTextColumn, 120);
    counts_->setColumnWidth(kCountColumn, 50);
    const qreal scale = devicePixelRatioF();
    for (const tasks::SummaryRow& row : tasks::SummaryRows(summary)) {
        counts_->addTopLevelItem(RowItem(row, scale));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // The dialog only reports: Enter closes it, and the list shows no current cell until the
    // person moves into it.
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    ok->setFocus();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(counts_);
    layout->addWidget(buttons);
    resize(260, 300);
}

}  // namespace quexa::ui
