#include "ui/edit_item_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

#include "core/status_code.h"

namespace quexa::ui {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename Choices, typename TextOf>
QComboBox* ChoiceBox(const Choices& choices, TextOf textOf, std::size_t current, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const auto code : choices) {
        box->addItem(FromUtf8(textOf(code)));
    }
    box->setCurrentIndex(static_cast<int>(current));
    return box;
}

}  // namespace

EditItemDialog::EditItemDialog(core::EditItemForm form, QWidget* parent)
    : QDialog(parent),
      form_(std::move(form)),
      title_(AddLine(FromUtf8(form_.Title()), core::ResultItem::kTitleLimit)),
      location_(AddLine(FromUtf8(form_.Location()), core::ResultItem::kLocationLimit)),
      target_(AddLine(FromUtf8(form_.Target()), core::ResultItem::kTargetLimit)),
      preview_(new QPlainTextEdit(FromUtf8(form_.Preview()), this)),
      status_(ChoiceBox(core::EditItemForm::kStatusChoices, core::StatusText, form_.StatusChoice(),
                        this)),
      visit_(ChoiceBox(core::EditItemForm::kVisitChoices, core::VisitText, form_.VisitChoice(),
                       this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    preview_->setTabChangesFocus(true);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Title:"), title_);
    fields->addRow(QStringLiteral("Location:"), location_);
    fields->addRow(QStringLiteral("Target:"), target_);
    fields->addRow(QStringLiteral("Preview:"), preview_);
    fields->addRow(QStringLiteral("Status:"), status_);
    fields->addRow(QStringLiteral("Visit:"), visit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(480);

    for (QLineEdit* edit : {title_, location_, target_}) {
        connect(edit, &QLineEdit::textChanged, this, &EditItemDialog::TakeTexts);
    }
    connect(preview_, &QPlainTextEdit::textChanged, this, &EditItemDialog::TakeTexts);
    // Only a pick changes the code: an item whose status the box does not offer keeps it.
    connect(status_, &QComboBox::activated, this,
            [this](int choice) { form_.PickStatus(static_cast<std::size_t>(choice)); });
    connect(visit_, &QComboBox::activated, this,
            [this](int choice) { form_.PickVisit(static_cast<std::size_t>(choice)); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    TakeTexts();
}

QLineEdit* EditItemDialog::AddLine(const QString& text, std::size_t limit) {
    auto* edit = new QLineEdit(text, this);
    // Characters, not bytes: the form cuts what is longer in bytes.
    edit->setMaxLength(static_cast<int>(limit));
    return edit;
}

void EditItemDialog::TakeTexts() {
    form_.SetTitle(title_->text().toStdString());
    form_.SetLocation(location_->text().toStdString());
    form_.SetTarget(target_->text().toStdString());
    form_.SetPreview(preview_->toPlainText().toStdString());
    ok_->setEnabled(form_.OkEnabled());
}

std::optional<core::ResultItem> EditItemDialog::Ask(core::EditItemForm form, QWidget* parent) {
    EditItemDialog dialog(std::move(form), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Form().Values();
}

}  // namespace quexa::ui
