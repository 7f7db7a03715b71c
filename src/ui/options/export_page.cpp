#include "ui/options/export_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/settings_table.h"

namespace quexa::ui {
namespace {

namespace settings = core::settings;

struct RuleCheck {
    const char* caption;
    const core::IntSetting* setting;
};

struct FieldRow {
    const char* caption;
    const core::IntSetting* carried;
    const core::TextSetting* prefix;
};

}  // namespace

ExportPage::ExportPage(core::Profile& profile, QWidget* parent)
    : OptionPage(parent), profile_(profile) {
    setAccessibleName(QString::fromLatin1(kTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildRuleGroup());
    layout->addWidget(BuildFieldGroup());
    layout->addStretch();
    layout->addLayout(ButtonRow());
}

QWidget* ExportPage::BuildRuleGroup() {
    auto* group = new QGroupBox(QStringLiteral("Export:"), this);
    auto* grid = new QGridLayout(group);
    const RuleCheck checks[] = {
        {"Selected", &settings::kExportSelected},       {"Reachable", &settings::kExportReachable},
        {"Unreachable", &settings::kExportUnreachable}, {"Unknown", &settings::kExportUnknown},
        {"Normal", &settings::kExportNormal},           {"Visited", &settings::kExportVisited},
        {"Unvisited", &settings::kExportUnvisited}};
    int index = 0;
    for (const RuleCheck& check : checks) {
        auto* box = new QCheckBox(QString::fromLatin1(check.caption), group);
        grid->addWidget(box, index / 4, index % 4);
        Bind(box, *check.setting);
        ++index;
    }
    return group;
}

QWidget* ExportPage::BuildFieldGroup() {
    auto* group = new QGroupBox(QStringLiteral("Every Item's prefixion "), this);
    auto* grid = new QGridLayout(group);
    const FieldRow rows[] = {
        {"Title", &settings::kExportTitle, &settings::kExportTitlePrefix},
        {"Location", &settings::kExportLocation, &settings::kExportLocationPrefix},
        {"Target", &settings::kExportTarget, &settings::kExportTargetPrefix},
        {"Preview", &settings::kExportPreview, &settings::kExportPreviewPrefix}};
    int row = 0;
    for (const FieldRow& field : rows) {
        const QString caption = QString::fromLatin1(field.caption);
        auto* box = new QCheckBox(caption, group);
        auto* label = new QLabel(QStringLiteral("Text:"), group);
        auto* edit = new QLineEdit(group);
        label->setBuddy(edit);
        // Four edits share the caption "Text:": the field they go before tells them apart.
        edit->setAccessibleName(caption + QStringLiteral(" Text:"));
        grid->addWidget(box, row, 0);
        grid->addWidget(label, row, 1);
        grid->addWidget(edit, row, 2);
        Bind(box, *field.carried);
        Bind(edit, *field.prefix);
        if (field.prefix == &settings::kExportTitlePrefix) {
            titlePrefix_ = edit;
        }
        ++row;
    }
    return group;
}

QWidget* ExportPage::FirstFocus() {
    return titlePrefix_;
}

}  // namespace quexa::ui
