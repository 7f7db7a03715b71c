#include "ui/wizards/keyword_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "core/settings_table.h"
#include "tasks/search_wizard.h"
#include "ui/wizards/history_box.h"
#include "ui/wizards/search_wizard_sheet.h"

namespace quexa::ui {
namespace {

const QString kNote = QStringLiteral(
    "You can input like following:\n"
    "1. Search one key word, such as:  game\n"
    "2. Search all key words, such as :  news game stock\n"
    "3.Search any key word, such as :  \"news\"  \"game\"  \"stock\"");

}  // namespace

KeywordPage::KeywordPage(core::Profile& profile, core::SettingsCache& cache,
                         core::Prompter& prompter, QWidget* parent)
    : QWizardPage(parent),
      profile_(profile),
      cache_(cache),
      prompter_(prompter),
      query_(new HistoryBox(tasks::QueryPage::Internet(), profile, QStringLiteral("&Key words:"),
                            this)),
      verify_(new QCheckBox(QString::fromLatin1(kVerifyText), this)),
      hangUp_(new QCheckBox(QString::fromLatin1(kHangUpText), this)),
      note_(new QLabel(kNote, this)) {
    note_->setAccessibleName(QStringLiteral("Key word note"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(query_);
    layout->addWidget(verify_);
    layout->addWidget(hangUp_);
    layout->addWidget(note_);
    layout->addStretch(1);
}

void KeywordPage::initializePage() {
    if (filled_) {
        return;
    }
    filled_ = true;
    query_->Fill();
    verify_->setChecked(core::settings::kAutoVerify.Read(profile_) != 0);
    hangUp_->setChecked(cache_.hangUpWhenFinished);
}

void KeywordPage::StoreOptions() {
    tasks::SearchWizard::StoreFinishingOptions(profile_, cache_, verify_->isChecked(),
                                               hangUp_->isChecked());
}

void KeywordPage::cleanupPage() {
    if (SearchWizardSheet::LeftByBack(*this)) {
        StoreOptions();
    }
}

bool KeywordPage::validatePage() {
    if (!query_->Finish()) {
        prompter_.Tell(core::Prompter::Title::Warning, tasks::QueryPage::kNoKeywords);
        return false;
    }
    StoreOptions();
    return true;
}

}  // namespace quexa::ui
