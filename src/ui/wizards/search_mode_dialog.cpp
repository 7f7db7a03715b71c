#include "ui/wizards/search_mode_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

QLabel* Description(const QString& text, QRadioButton* button, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setIndent(24);
    button->setAccessibleDescription(text.trimmed());
    return label;
}

}  // namespace

SearchModeDialog::SearchModeDialog(QWidget* parent)
    : QDialog(parent),
      internet_(new QRadioButton(QStringLiteral("I Want Search Internet"), this)),
      intranet_(new QRadioButton(QStringLiteral("I Want Search My Intranet and My PC"), this)),
      freeEdit_(
          new QRadioButton(QStringLiteral("I Want Create an Empty Freedom Edit Mode File"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* group = new QButtonGroup(this);
    group->addButton(internet_);
    group->addButton(intranet_);
    group->addButton(freeEdit_);
    internet_->setChecked(true);

    auto* choices = new QVBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("Now, please choose one search mode: "), this));
    choices->addWidget(internet_);
    choices->addWidget(Description(
        QStringLiteral("  With this search mode, you can search many website in one time. Such "
                       "as: search engine, website, library, bbs and shopper ..."),
        internet_, this));
    choices->addWidget(intranet_);
    choices->addWidget(Description(
        QStringLiteral("  With this search mode, you can search many network folder in one time. "
                       "Such as: server's share folder, local pc's folder ..."),
        intranet_, this));
    choices->addWidget(freeEdit_);
    choices->addWidget(Description(
        QStringLiteral("  With this mode, you can create an empty freedom Quexa File (QZR) for "
                       "freedom edit ..."),
        freeEdit_, this));
    choices->addStretch(1);

    auto* picture = new QLabel(this);
    picture->setPixmap(PictureBook::Picture(QStringLiteral("wizard_banner"), QSize(120, 300),
                                            devicePixelRatioF()));
    auto* body = new QHBoxLayout;
    body->addWidget(picture);
    body->addLayout(choices, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* next =
        buttons->addButton(QStringLiteral("Next Step"), QDialogButtonBox::AcceptRole);
    next->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(560, 340);
}

tasks::SearchMode SearchModeDialog::Choice() const {
    if (intranet_->isChecked()) {
        return tasks::SearchMode::Intranet;
    }
    return freeEdit_->isChecked() ? tasks::SearchMode::FreeEdit : tasks::SearchMode::Internet;
}

QRadioButton* SearchModeDialog::Button(tasks::SearchMode mode) const {
    switch (mode) {
        case tasks::SearchMode::Intranet:
            return intranet_;
        case tasks::SearchMode::FreeEdit:
            return freeEdit_;
        case tasks::SearchMode::Internet:
            break;
    }
    return internet_;
}

}  // namespace quexa::ui
