#include "ui/options/verify_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "core/settings_table.h"

namespace quexa::ui {
namespace {

namespace settings = core::settings;

struct Check {
    const char* caption;
    const core::IntSetting* setting;
};

}  // namespace

VerifyPage::VerifyPage(core::Profile& profile, core::Prompter& prompter, QWidget* parent)
    : OptionPage(parent), profile_(profile), prompter_(prompter) {
    setAccessibleName(QString::fromLatin1(kTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildVerifyGroup());
    layout->addWidget(BuildDeleteGroup());
    for (const char* note :
         {"Reachable: target is reachable.", "Unknown: canno't verify whether target is reachable.",
          "Unreachable: target isn't reachable.",
          "Note: system don't verify local or intranet URL.",
          "Note: this setting only effect on internet URL verify!"}) {
        layout->addWidget(new QLabel(QString::fromLatin1(note), this));
    }
    layout->addStretch();
    layout->addLayout(ButtonRow());
}

QWidget* VerifyPage::BuildVerifyGroup() {
    auto* group = new QGroupBox(QStringLiteral("Verify Following:"), this);
    auto* grid = new QGridLayout(group);
    const Check checks[] = {{"Normal", &settings::kVerifyNormal},
                            {"Reachable", &settings::kVerifyReachable},
                            {"Unreachable", &settings::kVerifyUnreachable},
                            {"Unknown", &settings::kVerifyUnknown},
                            {"Selected", &settings::kVerifySelected}};
    int index = 0;
    for (const Check& check : checks) {
        auto* box = new QCheckBox(QString::fromLatin1(check.caption), group);
        grid->addWidget(box, index / 3, index % 3);
        Bind(box, *check.setting);
        ++index;
    }
    return group;
}

QWidget* VerifyPage::BuildDeleteGroup() {
    auto* group = new QGroupBox(QStringLiteral("Delete after verify:"), this);
    auto* row = new QHBoxLayout(group);
    const Check checks[] = {{"Unrechable", &settings::kDeleteUnreachable},
                            {"Unknown", &settings::kDeleteUnknown}};
    for (const Check& check : checks) {
        auto* box = new QCheckBox(QString::fromLatin1(check.caption), group);
        // The same caption stands under "Verify Following:": the group tells them apart.
        box->setAccessibleName(QStringLiteral("Delete ") + box->text());
        row->addWidget(box);
        Bind(box, *check.setting);
    }
    row->addStretch();
    return group;
}

void VerifyPage::Apply() {
    if (!options_.Apply(profile_)) {
        prompter_.Tell(core::Prompter::Title::Note, tasks::VerifyOptions::kNothingToVerifyText);
    }
}

}  // namespace quexa::ui
