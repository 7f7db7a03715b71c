#include "ui/fast_info_bar.h"

#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quexa::ui {
namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

FastInfoBar::FastInfoBar(QWidget* parent) : QWidget(parent) {
    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* form = new QFormLayout(frame);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (std::size_t index = 0; index < fields_.size(); ++index) {
        auto* field = new QLineEdit;
        field->setReadOnly(true);
        // QFormLayout makes the caption the field's buddy: a screen reader names it by it.
        form->addRow(QString::fromLatin1(kCaptions[index]), field);
        fields_[index] = field;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(frame);
}

void FastInfoBar::Show(const tasks::FastInfo& info) {
    const std::array<const std::string*, kFieldCount> texts{
        &info.key, &info.mode, &info.author, &info.date, &info.count, &info.note, &info.path};
    for (std::size_t index = 0; index < fields_.size(); ++index) {
        const QString text = FromUtf8(*texts[index]);
        if (fields_[index]->text() != text) {
            fields_[index]->setText(text);
            // Long paths show their start, not their end.
            fields_[index]->setCursorPosition(0);
        }
    }
}

}  // namespace quexa::ui
