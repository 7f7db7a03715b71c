#include "ui/options/options_sheet.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/options/export_page.h"
#include "ui/options/network_page.h"
#include "ui/options/options_banner.h"
#include "ui/options/other_page.h"
#include "ui/options/verify_page.h"

namespace quexa::ui {

OptionsSheet::OptionsSheet(core::Profile& profile, core::SettingsCache& cache,
                           core::Prompter& prompter, Page start, QWidget* parent)
    : QDialog(parent),
      pages_(new QTabWidget(this)),
      network_(new NetworkPage(profile, cache)),
      export_(new ExportPage(profile)),
      verify_(new VerifyPage(profile, prompter)),
      other_(new OtherPage(profile, cache, prompter)),
      close_(new QPushButton(QStringLiteral("Close"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    pages_->setAccessibleName(QStringLiteral("Options pages"));
    pages_->addTab(network_, QString::fromLatin1(NetworkPage::kTitle));
    pages_->addTab(export_, QString::fromLatin1(ExportPage::kTitle));
    pages_->addTab(verify_, QString::fromLatin1(VerifyPage::kTitle));
    pages_->addTab(other_, QString::fromLatin1(OtherPage::kTitle));
    pages_->setCurrentIndex(static_cast<int>(start));
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(other_, &OtherPage::Applied, this, &OptionsSheet::AppearanceChanged);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new OptionsBanner(this));
    bottom->addStretch();
    bottom->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(bottom);
}

void OptionsSheet::Run(core::Profile& profile, core::SettingsCache& cache, core::Prompter& prompter,
                       Page start, QWidget* parent,
                       const std::function<void()>& appearanceChanged) {
    OptionsSheet sheet(profile, cache, prompter, start, parent);
    connect(&sheet, &OptionsSheet::AppearanceChanged, &sheet, appearanceChanged);
    sheet.exec();
}

}  // namespace quexa::ui
