#include "ui/options/other_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/settings_table.h"
#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

namespace settings = core::settings;

}  // namespace

OtherPage::OtherPage(core::Profile& profile, core::SettingsCache& cache, core::Prompter& prompter,
                     QWidget* parent)
    : OptionPage(parent), profile_(profile), cache_(cache), prompter_(prompter) {
    setAccessibleName(QString::fromLatin1(kTitle));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(BuildListGroup());
    top->addWidget(BuildAutoSaveGroup());
    layout->addLayout(top);
    layout->addWidget(BuildGeneralGroup());
    layout->addWidget(
        new QLabel(QStringLiteral("Note: only effect on search or verify task!"), this));
    layout->addStretch();
    layout->addLayout(ButtonRow());
}

QWidget* OtherPage::BuildListGroup() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGroupBox(QStringLiteral("Grid and Color"), box);
    auto* gridLayout = new QVBoxLayout(grid);
    const std::pair<const char*, const core::IntSetting*> checks[] = {
        {"Show interlaced color", &settings::kAlternateColor},
        {"Show horizontal grid", &settings::kHorizontalGrid},
        {"Show vertical grid", &settings::kVerticalGrid}};
    for (const auto& [caption, setting] : checks) {
        auto* check = new QCheckBox(QString::fromLatin1(caption), grid);
        gridLayout->addWidget(check);
        Bind(check, *setting);
    }
    auto* image = new QGroupBox(QStringLiteral("Background Image"), box);
    auto* imageLayout = new QHBoxLayout(image);
    auto* use = new QCheckBox(QStringLiteral("Use"), image);
    backgrounds_ = new QComboBox(image);
    for (int index = 0; index < PictureBook::kBackgroundCount; ++index) {
        backgrounds_->addItem(
            QStringLiteral("Back Ground Image %1").arg(index + 1, 2, 10, QLatin1Char('0')));
    }
    backgrounds_->setAccessibleName(QStringLiteral("Background Image"));
    imageLayout->addWidget(use);
    imageLayout->addWidget(backgrounds_, 1);
    Bind(use, settings::kUseBackgroundImage);
    Bind(backgrounds_, settings::kBackgroundImage);
    column->addWidget(grid);
    column->addWidget(image);
    return box;
}

QWidget* OtherPage::BuildAutoSaveGroup() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* autoSave = new QGroupBox(QStringLiteral("Auto Save"), box);
    auto* autoSaveLayout = new QGridLayout(autoSave);
    auto* use = new QCheckBox(QStringLiteral("Use Auto Save"), autoSave);
    auto* every = new QLabel(QStringLiteral("Every"), autoSave);
    autoSaveCount_ = new QSpinBox(autoSave);
    autoSaveCount_->setRange(settings::kAutoSaveCount.minimum, settings::kAutoSaveCount.maximum);
    every->setBuddy(autoSaveCount_);
    autoSaveLayout->addWidget(use, 0, 0, 1, 3);
    autoSaveLayout->addWidget(every, 1, 0);
    autoSaveLayout->addWidget(autoSaveCount_, 1, 1);
    autoSaveLayout->addWidget(new QLabel(QStringLiteral("Item Change"), autoSave), 1, 2);
    Bind(use, settings::kAutoSave);
    Bind(autoSaveCount_, settings::kAutoSaveCount);

    auto* operate = new QGroupBox(QStringLiteral("Operate Target"), box);
    auto* operateLayout = new QVBoxLayout(operate);
    auto* files = new QCheckBox(QStringLiteral("operate file target"), operate);
    auto* folders = new QCheckBox(QStringLiteral("operate directory"), operate);
    operateLayout->addWidget(files);
    operateLayout->addWidget(folders);
    Bind(files, settings::kOperateFiles);
    Bind(folders, settings::kOperateFolders);
    column->addWidget(autoSave);
    column->addWidget(operate);
    return box;
}

QWidget* OtherPage::BuildGeneralGroup() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    auto* duplicates = new QCheckBox(QStringLiteral("Auto remove existing Item"), box);
    auto* welcome = new QCheckBox(QStringLiteral("Show welcome image"), box);
    author_ = new QLineEdit(box);
    author_->setMaxLength(static_cast<int>(settings::kAuthorInfo.maxCharacters));
    browser_ = new QLineEdit(box);
    auto* choose = new QPushButton(QStringLiteral("..."), box);
    choose->setAccessibleName(QString::fromLatin1(kBrowserDialogTitle));
    choose->setAutoDefault(false);
    choose->setMaximumWidth(choose->fontMetrics().horizontalAdvance(choose->text()) * 4);
    auto* browserRow = new QHBoxLayout;
    browserRow->addWidget(browser_, 1);
    browserRow->addWidget(choose);
    form->addRow(duplicates);
    form->addRow(welcome);
    form->addRow(QStringLiteral("Author"), author_);
    form->addRow(QStringLiteral("Browser:"), browserRow);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(browserRow))) {
        label->setBuddy(browser_);
    }
    // Tabbar is kept and shown back, never seen: its pair of buttons stays hidden.
    auto* tabbar = new QButtonGroup(box);
    for (int id = 0; id < 2; ++id) {
        auto* radio = new QRadioButton(box);
        radio->hide();
        tabbar->addButton(radio, id);
    }
    Bind(duplicates, settings::kDropDuplicates);
    Bind(welcome, settings::kShowWelcome);
    Bind(author_, settings::kAuthorInfo);
    Bind(browser_, settings::kWebBrowser);
    Bind(tabbar, settings::kTabbar);
    connect(choose, &QPushButton::clicked, this, &OtherPage::ChooseBrowser);
    return box;
}

void OtherPage::Load() {
    options_.Load(profile_, cache_.browserPath);
}

void OtherPage::Apply() {
    const bool browserStored = options_.Apply(profile_, cache_);
    Q_EMIT Applied();
    if (!browserStored) {
        prompter_.Tell(core::Prompter::Title::Error, tasks::OtherOptions::kNoSuchBrowserText);
    }
}

QWidget* OtherPage::FirstFocus() {
    return author_;
}

void OtherPage::ChooseBrowser() {
    QFileDialog dialog(this, QString::fromLatin1(kBrowserDialogTitle), browser_->text());
    // Programs on this system carry no ".exe": any existing file will do.
    dialog.setNameFilter(QStringLiteral("Execute(*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    browser_->setText(dialog.selectedFiles().constFirst());
    EnableApply();
}

}  // namespace quexa::ui
