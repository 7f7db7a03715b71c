#include "ui/scheme_editor/edit_engine_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quexa::ui {
namespace {

QLineEdit* Shown(std::string_view text, QWidget* parent) {
    auto* edit =
        new QLineEdit(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), parent);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

EditEngineDialog::EditEngineDialog(const engines::SchemeEngineRow& row, bool editable,
                                   tasks::LocationOpener& opener, QWidget* parent)
    : QDialog(parent),
      result_(new QSpinBox(this)),
      visit_(new QPushButton(QStringLiteral("Visit Web"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    const std::string site = engines::EditEngineWebSite(row.webSite);
    result_->setRange(0, engines::SchemeEditor::kMaxReturnNumber);
    result_->setValue(row.returnNumber);
    result_->setEnabled(editable);
    auto* resultRow = new QHBoxLayout;
    resultRow->addWidget(result_);
    resultRow->addWidget(new QLabel(QStringLiteral("Item(s)"), this));
    resultRow->addStretch();
    auto* siteRow = new QHBoxLayout;
    siteRow->addWidget(Shown(site, this), 1);
    siteRow->addWidget(visit_);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Engine:"), Shown(row.name, this));
    form->addRow(QStringLiteral("WebSite:"), siteRow);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(siteRow))) {
        label->setBuddy(siteRow->itemAt(0)->widget());
    }
    form->addRow(QStringLiteral("Advance:"), Shown(engines::kOperatorsText, this));
    form->addRow(QStringLiteral("Support:"), Shown(engines::kSupportText, this));
    form->addRow(QStringLiteral("Result:"), resultRow);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(resultRow))) {
        label->setBuddy(result_);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(editable);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(visit_, &QPushButton::clicked, this, [&opener, site] { opener.Browse(site); });
    visit_->setAutoDefault(false);
    result_->setFocus();
    result_->selectAll();
}

std::optional<int> EditEngineDialog::Ask(const engines::SchemeEngineRow& row, bool editable,
                                         tasks::LocationOpener& opener, QWidget* parent) {
    EditEngineDialog dialog(row, editable, opener, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Result().value();
}

}  // namespace quexa::ui
