#include "ui/about_dialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

constexpr int kPictureSize = 64;
constexpr int kLineMargin = 8;

QLabel* Picture(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(PictureBook::Picture(
        QStringLiteral("quexa"), QSize(kPictureSize, kPictureSize), parent->devicePixelRatioF()));
    label->setAccessibleName(QStringLiteral("Quexa"));
    return label;
}

QLabel* Texts(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("<p><b><big>%1</big></b></p>"
                                  "<p>A desktop search tool: one query to many web search "
                                  "engines, or a search of folders and network shares, "
                                  "gathered in one list to verify, edit, save and export.</p>")
                       .arg(QString::fromLatin1(AboutDialog::kVersion)));
    label->setWordWrap(true);
    label->setMinimumWidth(300);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), lineHeight_(QFontMetrics(LineFont()).height()) {
    setWindowTitle(QString::fromLatin1(kTitle));
    // The painted line is no widget: screen readers get it here.
    setAccessibleDescription(QString::fromLatin1(kLine));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(Picture(this), 0, Qt::AlignTop);
    top->addWidget(Texts(this), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    // Room below the buttons for the painted line.
    QMargins margins = layout->contentsMargins();
    margins.setBottom(margins.bottom() + lineHeight_ + kLineMargin);
    layout->setContentsMargins(margins);
}

QFont AboutDialog::LineFont() {
    QFont font(QStringLiteral("Sans Serif"), kLinePoints, QFont::Bold, true);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void AboutDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setFont(LineFont());
    painter.setPen(palette().color(QPalette::Link));
    const QRect line(0, height() - lineHeight_ - kLineMargin, width(), lineHeight_);
    painter.drawText(line, Qt::AlignCenter, QString::fromLatin1(kLine));
}

}  // namespace quexa::ui
