#include "ui/options/option_page.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace quexa::ui {

OptionPage::OptionPage(QWidget* parent)
    : QWidget(parent),
      apply_(new QPushButton(QStringLiteral("&Apply"), this)),
      default_(new QPushButton(QStringLiteral("&Default"), this)) {
    apply_->setAutoDefault(false);
    default_->setAutoDefault(false);
    connect(apply_, &QPushButton::clicked, this, [this] {
        TakeValues();
        apply_->setEnabled(false);
        Apply();
        ShowValues();
    });
    connect(default_, &QPushButton::clicked, this, [this] {
        TakeValues();
        SetDefaults();
        ShowValues();
        apply_->setEnabled(true);
    });
}

void OptionPage::Bind(QAbstractButton* check, const core::IntSetting& setting) {
    connect(check, &QAbstractButton::toggled, this, &OptionPage::EnableApply);
    bindings_.push_back(
        {[this, check, &setting] { check->setChecked(Values().Flag(setting)); },
         [this, check, &setting] { Values().SetInt(setting, check->isChecked() ? 1 : 0); }});
}

void OptionPage::Bind(QLineEdit* edit, const core::TextSetting& setting) {
    connect(edit, &QLineEdit::textEdited, this, &OptionPage::EnableApply);
    bindings_.push_back(
        {[this, edit, &setting] { edit->setText(QString::fromStdString(Values().Text(setting))); },
         [this, edit, &setting] { Values().SetText(setting, edit->text().toStdString()); }});
}

void OptionPage::Bind(QAbstractSlider* slider, const core::IntSetting& setting) {
    connect(slider, &QAbstractSlider::valueChanged, this, &OptionPage::EnableApply);
    bindings_.push_back({[this, slider, &setting] { slider->setValue(Values().Int(setting)); },
                         [this, slider, &setting] { Values().SetInt(setting, slider->value()); }});
}

void OptionPage::Bind(QSpinBox* spin, const core::IntSetting& setting) {
    connect(spin, &QSpinBox::valueChanged, this, &OptionPage::EnableApply);
    bindings_.push_back({[this, spin, &setting] { spin->setValue(Values().Int(setting)); },
                         [this, spin, &setting] { Values().SetInt(setting, spin->value()); }});
}

void OptionPage::Bind(QComboBox* list, const core::IntSetting& setting) {
    connect(list, &QComboBox::currentIndexChanged, this, &OptionPage::EnableApply);
    bindings_.push_back(
        {[this, list, &setting] { list->setCurrentIndex(Values().Int(setting)); },
         [this, list, &setting] { Values().SetInt(setting, list->currentIndex()); }});
}

void OptionPage::Bind(QButtonGroup* group, const core::IntSetting& setting) {
    connect(group, &QButtonGroup::idToggled, this, &OptionPage::EnableApply);
    bindings_.push_back({[this, group, &setting] {
                             if (QAbstractButton* button = group->button(Values().Int(setting))) {
                                 button->setChecked(true);
                             }
                         },
                         [this, group, &setting] {
                             if (group->checkedId() >= 0) {
                                 Values().SetInt(setting, group->checkedId());
                             }
                         }});
}

QHBoxLayout* OptionPage::ButtonRow() {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(default_);
    row->addWidget(apply_);
    return row;
}

void OptionPage::ShowValues() {
    // Showing values is no change of the person's: Apply keeps its state.
    const bool applyEnabled = apply_->isEnabled();
    for (const Binding& binding : bindings_) {
        binding.show();
    }
    apply_->setEnabled(applyEnabled);
}

void OptionPage::EnableApply() const {
    apply_->setEnabled(true);
}

void OptionPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (loaded_) {
        return;
    }
    loaded_ = true;
    Load();
    ShowValues();
    apply_->setEnabled(false);
    if (QWidget* focus = FirstFocus()) {
        focus->setFocus();
    }
}

void OptionPage::TakeValues() {
    for (const Binding& binding : bindings_) {
        binding.take();
    }
}

}  // namespace quexa::ui
