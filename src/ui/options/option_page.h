#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "core/int_setting.h"
#include "core/text_setting.h"
#include "tasks/option_values.h"

class QAbstractButton;
class QAbstractSlider;
class QButtonGroup;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quexa::ui {

// One page of the Options sheet: its controls bound to the page's values, loaded when the page
// is first shown, with its own "Apply" (enabled by any change) and "Default" buttons.
class OptionPage : public QWidget {
    Q_OBJECT

  public:
    QPushButton& ApplyButton() const { return *apply_; }
    QPushButton& DefaultButton() const { return *default_; }

  protected:
    explicit OptionPage(QWidget* parent);

    // What the page does; the values are taken from the controls before Apply and shown after
    // Load, Apply and Default.
    virtual tasks::OptionValues& Values() = 0;
    virtual void Load() = 0;
    virtual void Apply() = 0;
    virtual void SetDefaults() = 0;
    // Focus once loaded.
    virtual QWidget* FirstFocus() { return nullptr; }

    void Bind(QAbstractButton* check, const core::IntSetting& setting);
    void Bind(QLineEdit* edit, const core::TextSetting& setting);
    void Bind(QAbstractSlider* slider, const core::IntSetting& setting);
    void Bind(QSpinBox* spin, const core::IntSetting& setting);
    // A list whose entry index is the value.
    void Bind(QComboBox* list, const core::IntSetting& setting);
    // Radio buttons whose ids are the values.
    void Bind(QButtonGroup* group, const core::IntSetting& setting);

    // The row with Default and Apply, for the page's layout to take last.
    QHBoxLayout* ButtonRow();
    void ShowValues();
    void EnableApply() const;

    void showEvent(QShowEvent* event) override;

  private:
    struct Binding {
        std::function<void()> show;
        std::function<void()> take;
    };

    void TakeValues();

    std::vector<Binding> bindings_;
    QPushButton* apply_;
    QPushButton* default_;
    bool loaded_ = false;
};

}  // namespace quexa::ui
