#include "ui/wizards/scheme_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/picture_book.h"
#include "ui/wizards/search_wizard_sheet.h"

namespace quexa::ui {

SchemePage::SchemePage(tasks::SearchWizard& wizard, core::Profile& profile, QWidget* parent)
    : QWizardPage(parent),
      wizard_(wizard),
      profile_(profile),
      schemes_(new QListWidget(this)),
      note_(new QLabel(this)),
      configureButton_(new QPushButton(QStringLiteral("C&onfigure"), this)) {
    auto* caption = new QLabel(QStringLiteral("Search &scheme:"), this);
    caption->setBuddy(schemes_);
    schemes_->setAccessibleName(QStringLiteral("Search scheme:"));
    schemes_->setIconSize(QSize(16, 16));
    note_->setWordWrap(true);
    note_->setAccessibleName(QStringLiteral("Scheme note"));
    note_->setAccessibleDescription(QStringLiteral("The note of the chosen scheme"));
    note_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addStretch(1);
    row->addWidget(configureButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(schemes_, 1);
    layout->addWidget(note_);
    connect(schemes_, &QListWidget::currentRowChanged, this,
            [this](int current) { ShowNote(current); });
    connect(configureButton_, &QPushButton::clicked, this, [this] { RunConfigure(); });
}

void SchemePage::initializePage() {
    wizard_.ChooseCategory(wizard_.RememberedCategory());
    Refill();
}

void SchemePage::Refill() {
    const qreal scale = devicePixelRatioF();
    const QIcon system(
        PictureBook::Picture(QStringLiteral("wizard_system_scheme"), {16, 16}, scale));
    const QIcon user(PictureBook::Picture(QStringLiteral("wizard_user_scheme"), {16, 16}, scale));
    schemes_->clear();
    for (std::size_t index = 0; index < wizard_.schemes().size(); ++index) {
        schemes_->addItem(new QListWidgetItem(index == 0 ? system : user,
                                              QString::fromStdString(wizard_.schemes()[index])));
    }
    if (schemes_->count() > 0) {
        schemes_->setCurrentRow(static_cast<int>(wizard_.RememberedScheme()));
    }
    ShowNote(schemes_->currentRow());
}

void SchemePage::ShowNote(int row) {
    note_->setText(row < 0
                       ? QString()
                       : QString::fromStdString(wizard_.SchemeNote(static_cast<std::size_t>(row))));
}

void SchemePage::StoreScheme() {
    if (schemes_->currentRow() >= 0) {
        wizard_.StoreScheme(profile_, static_cast<std::size_t>(schemes_->currentRow()));
    }
}

bool SchemePage::validatePage() {
    StoreScheme();
    return true;
}

void SchemePage::cleanupPage() {
    if (SearchWizardSheet::LeftByBack(*this)) {
        StoreScheme();
    }
}

void SchemePage::RunConfigure() {
    // A category file that can't be read leaves nothing to configure.
    const std::optional<std::string> directory = wizard_.SchemeDirectory();
    if (directory && configure_ && configure_(this, *directory)) {
        initializePage();
    }
}

}  // namespace quexa::ui
