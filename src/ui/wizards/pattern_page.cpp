#include "ui/wizards/pattern_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "tasks/query_page.h"
#include "ui/wizards/history_box.h"

namespace quexa::ui {

PatternPage::PatternPage(core::Profile& profile, core::Prompter& prompter, QWidget* parent)
    : QWizardPage(parent),
      prompter_(prompter),
      patterns_(new HistoryBox(tasks::QueryPage::Intranet(), profile, QStringLiteral("File &name:"),
                               this)),
      note_(new QLabel(QStringLiteral("  You can search more then one type file, you can split "
                                      "then with \";\", such as: abc.txt;*.htm;*.jpg;"),
                       this)) {
    note_->setWordWrap(true);
    note_->setAccessibleName(QStringLiteral("File name note"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(patterns_);
    layout->addWidget(note_);
    layout->addStretch(1);
}

void PatternPage::initializePage() {
    if (!filled_) {
        filled_ = true;
        patterns_->Fill();
    }
}

bool PatternPage::validatePage() {
    if (!patterns_->Finish()) {
        prompter_.Tell(core::Prompter::Title::Warning, tasks::QueryPage::kNoKeywords);
        return false;
    }
    return true;
}

}  // namespace quexa::ui
