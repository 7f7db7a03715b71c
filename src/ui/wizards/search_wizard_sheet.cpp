#include "ui/wizards/search_wizard_sheet.h"

#include "ui/picture_book.h"

namespace quexa::ui {

SearchWizardSheet::SearchWizardSheet(QStringList captions, QWidget* parent)
    : QWizard(parent), captions_(std::move(captions)) {
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    setPixmap(QWizard::WatermarkPixmap, PictureBook::Picture(QStringLiteral("wizard_banner"),
                                                             QSize(120, 300), devicePixelRatioF()));
    setWindowTitle(captions_.value(0));
    connect(this, &QWizard::currentIdChanged, this, [this](int id) { ShowCaption(id); });
}

void SearchWizardSheet::AddPages(const QList<QWizardPage*>& pages) {
    for (int id = 0; id < pages.size(); ++id) {
        setPage(id, pages[id]);
    }
}

bool SearchWizardSheet::LeftByBack(const QWizardPage& page) {
    const auto* sheet = qobject_cast<const SearchWizardSheet*>(page.window());
    return sheet != nullptr && !sheet->closing_;
}

void SearchWizardSheet::done(int result) {
    // QWizard cleans up every visited page when it is cancelled.
    closing_ = true;
    QWizard::done(result);
    closing_ = false;
}

void SearchWizardSheet::ShowCaption(int id) {
    if (id >= 0 && id < captions_.size()) {
        setWindowTitle(captions_[id]);
    }
}

}  // namespace quexa::ui
