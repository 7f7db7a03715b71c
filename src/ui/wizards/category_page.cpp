#include "ui/wizards/category_page.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

constexpr QSize kIconSize(18, 18);

QIcon CategoryIcon(const engines::CategoryEntry& entry, qreal scale) {
    const QString path = QString::fromStdString(entry.iconPath);
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        const QPixmap picture(path);
        if (!picture.isNull()) {
            return QIcon(picture.scaled(kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }
    return QIcon(PictureBook::Picture(QStringLiteral("wizard_category"), kIconSize, scale));
}

}  // namespace

CategoryPage::CategoryPage(tasks::SearchWizard& wizard, core::Profile& profile, QWidget* parent)
    : QWizardPage(parent),
      wizard_(wizard),
      profile_(profile),
      categories_(new QComboBox(this)),
      note_(new QLabel(this)),
      update_(new QPushButton(QStringLiteral("Update"), this)) {
    categories_->setIconSize(kIconSize);
    auto* caption = new QLabel(QStringLiteral("Search &category:"), this);
    caption->setBuddy(categories_);
    categories_->setAccessibleName(QStringLiteral("Search category:"));
    // Qt names a box that can't be typed into by its entry; the description keeps its label.
    categories_->setAccessibleDescription(QStringLiteral("Search category"));
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note_->setAccessibleName(QStringLiteral("Category note"));
    note_->setAccessibleDescription(QStringLiteral("The note of the chosen category"));
    note_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    update_->setEnabled(false);

    auto* row = new QHBoxLayout;
    row->addWidget(categories_, 1);
    row->addWidget(update_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Please choose the category you want to search:"), this));
    layout->addWidget(caption);
    layout->addLayout(row);
    layout->addWidget(note_, 1);
    connect(categories_, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowNote(index); });
}

void CategoryPage::initializePage() {
    if (filled_) {
        return;
    }
    filled_ = true;
    const qreal scale = devicePixelRatioF();
    for (const engines::CategoryEntry& entry : wizard_.categories().entries()) {
        categories_->addItem(CategoryIcon(entry, scale), QString::fromStdString(entry.name));
    }
    categories_->setCurrentIndex(static_cast<int>(wizard_.RememberedCategory()));
    ShowNote(categories_->currentIndex());
}

bool CategoryPage::validatePage() {
    const auto index = static_cast<std::size_t>(std::max(categories_->currentIndex(), 0));
    wizard_.StoreCategory(profile_, index);
    return true;
}

void CategoryPage::ShowNote(int index) {
    const std::optional<std::string> note =
        index < 0 ? std::nullopt : wizard_.categories().NoteOf(static_cast<std::size_t>(index));
    note_->setText(QString::fromStdString(note.value_or(std::string())));
}

}  // namespace quexa::ui
