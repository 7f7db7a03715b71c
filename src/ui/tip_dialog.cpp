#include "ui/tip_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

constexpr int kLampSize = 40;

QFrame* TipFrame(QLabel* tip, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setBackgroundRole(QPalette::Base);
    frame->setAutoFillBackground(true);
    auto* lamp = new QLabel(frame);
    lamp->setPixmap(PictureBook::Picture(QStringLiteral("tip_lamp"), QSize(kLampSize, kLampSize),
                                         parent->devicePixelRatioF()));
    lamp->setAlignment(Qt::AlignTop);
    auto* heading = new QLabel(QStringLiteral("<b>Did you know...</b>"), frame);
    auto* text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(tip, 1);
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(lamp, 0, Qt::AlignTop);
    layout->addLayout(text, 1);
    return frame;
}

}  // namespace

TipDialog::TipDialog(tasks::TipOfDay& tips, QWidget* parent)
    : QDialog(parent),
      tips_(tips),
      tip_(new QLabel(this)),
      showAtStartUp_(new QCheckBox(QString::fromLatin1(kShowAtStartUp), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    tip_->setWordWrap(true);
    tip_->setTextFormat(Qt::PlainText);
    tip_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    tip_->setMinimumSize(320, 90);
    tip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tip_->setAccessibleName(QStringLiteral("Tip"));
    tip_->setAccessibleDescription(QStringLiteral("The tip of the day"));

    showAtStartUp_->setChecked(tips_.ShowsAtStartUp());
    connect(showAtStartUp_, &QCheckBox::toggled, this,
            [this](bool checked) { tips_.SetShowsAtStartUp(checked); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* next =
        buttons->addButton(QStringLiteral("&Next Tip"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(next, &QPushButton::clicked, this, &TipDialog::ShowNextTip);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* footer = new QHBoxLayout;
    footer->addWidget(showAtStartUp_);
    footer->addStretch();
    footer->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TipFrame(tip_, this), 1);
    layout->addLayout(footer);

    ShowNextTip();
}

void TipDialog::ShowNextTip() {
    const std::optional<std::string> tip = tips_.NextTip();
    tip_->setText(tip ? QString::fromStdString(*tip) : QString::fromLatin1(kNoTip));
}

QString TipDialog::Tip() const {
    return tip_->text();
}

}  // namespace quexa::ui
