#include "ui/scheme_editor/scheme_editor_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "engines/scheme_list.h"
#include "platform/desktop_opener.h"
#include "ui/desktop_url_launcher.h"
#include "ui/scheme_editor/edit_engine_dialog.h"
#include "ui/scheme_editor/scheme_engine_model.h"
#include "ui/scheme_editor/scheme_engine_view.h"
#include "ui/scheme_editor/scheme_name_dialog.h"

namespace quexa::ui {
namespace {

using engines::SchemeEditorMessage;

constexpr int kSliderPage = 10;
constexpr int kSliderTick = 30;
constexpr int kColumnWidths[] = {50, 250, 50, 150, 80, 400};

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SchemeEditorDialog::SchemeEditorDialog(const core::AppFolders& folders, core::Profile& profile,
                                       std::string dir, core::Prompter& prompter,
                                       tasks::LocationOpener& opener, QWidget* parent)
    : QDialog(parent),
      editor_(folders, profile, std::move(dir)),
      prompter_(prompter),
      opener_(opener),
      schemes_(new QComboBox(this)),
      new_(new QPushButton(QStringLiteral("&New"), this)),
      rename_(new QPushButton(QStringLiteral("&Rename"), this)),
      remove_(new QPushButton(QStringLiteral("Re&move"), this)),
      note_(new QPlainTextEdit(this)),
      model_(new SchemeEngineModel(editor_, this)),
      view_(new SchemeEngineView(this)),
      slider_(new QSlider(Qt::Horizontal, this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    view_->setModel(model_);
    for (int column = 0; column < SchemeEngineModel::ColumnCount; ++column) {
        view_->setColumnWidth(column, kColumnWidths[column]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildSchemeGroup());
    layout->addWidget(view_, 1);
    layout->addWidget(BuildSliderRow());
    layout->addWidget(new QLabel(QString::fromLatin1(kHint), this));
    layout->addWidget(buttons);
    resize(720, 520);

    connect(buttons, &QDialogButtonBox::accepted, this, &SchemeEditorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(schemes_, &QComboBox::activated, this, &SchemeEditorDialog::SelectScheme);
    connect(new_, &QPushButton::clicked, this, &SchemeEditorDialog::NewScheme);
    connect(rename_, &QPushButton::clicked, this, &SchemeEditorDialog::RenameScheme);
    connect(remove_, &QPushButton::clicked, this, &SchemeEditorDialog::RemoveScheme);
    connect(note_, &QPlainTextEdit::textChanged, this, &SchemeEditorDialog::TakeNote);
    connect(model_, &SchemeEngineModel::Message, this, &SchemeEditorDialog::Tell);
    connect(view_, &SchemeEngineView::MenuRequested, this, &SchemeEditorDialog::ShowMenu);
    connect(view_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { EditEngine(index.row()); });
    connect(slider_, &QSlider::valueChanged, this, [this](int position) {
        Tell(editor_.SetTickedReturnNumbers(position));
        model_->RowsChanged();
    });

    const SchemeEditorMessage opened = editor_.Open();
    ShowEditor();
    Tell(opened);
    note_->setFocus();
}

SchemeEditorDialog::~SchemeEditorDialog() = default;

std::optional<std::string> SchemeEditorDialog::Run(const core::AppFolders& folders,
                                                   core::Profile& profile, const std::string& dir,
                                                   core::Prompter& prompter,
                                                   tasks::LocationOpener& opener, QWidget* parent) {
    SchemeEditorDialog dialog(folders, profile, dir, prompter, opener, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return engines::GetLastScheme(profile, dir);
}

std::optional<std::string> SchemeEditorDialog::Run(const core::AppFolders& folders,
                                                   core::Profile& profile, const std::string& dir,
                                                   core::Prompter& prompter,
                                                   const std::string& browserPath,
                                                   QWidget* parent) {
    DesktopUrlLauncher launcher;
    platform::DesktopOpener opener(browserPath, launcher);
    return Run(folders, profile, dir, prompter, opener, parent);
}

QWidget* SchemeEditorDialog::BuildSchemeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Search Scheme"), this);
    auto* layout = new QVBoxLayout(group);
    auto* row = new QHBoxLayout;
    schemes_->setAccessibleName(QStringLiteral("Search Scheme"));
    row->addWidget(schemes_, 1);
    row->addWidget(new_);
    row->addWidget(rename_);
    row->addWidget(remove_);
    note_->setAccessibleName(QStringLiteral("Scheme note"));
    note_->setTabChangesFocus(true);
    note_->setFixedHeight(note_->fontMetrics().lineSpacing() * 3 + 12);
    layout->addLayout(row);
    layout->addWidget(note_);
    return group;
}

QWidget* SchemeEditorDialog::BuildSliderRow() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    slider_->setRange(engines::SchemeEditor::kMinSliderPosition,
                      engines::SchemeEditor::kMaxReturnNumber);
    slider_->setPageStep(kSliderPage);
    slider_->setTickInterval(kSliderTick);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setValue(engines::SchemeEditor::kMinSliderPosition);
    // A drag saves once, where it ends.
    slider_->setTracking(false);
    const QString caption = QStringLiteral("( Change All Engine Return Number)");
    slider_->setAccessibleName(caption);
    row->addWidget(new QLabel(QStringLiteral("Min(1)"), box));
    row->addWidget(slider_, 1);
    row->addWidget(new QLabel(QStringLiteral("Max(300)"), box));
    row->addWidget(new QLabel(caption, box));
    return box;
}

void SchemeEditorDialog::SelectScheme(int index) {
    // Leaving a user scheme keeps its note and a Reset Default: they are saved first.
    Tell(editor_.SaveScheme());
    Tell(editor_.Select(static_cast<std::size_t>(index)));
    ShowEditor();
}

void SchemeEditorDialog::NewScheme() {
    while (const auto name = SchemeNameDialog::Ask(QString(), this)) {
        if (editor_.NameExists(*name)) {
            Tell(SchemeEditorMessage::NameExists);
            continue;
        }
        Tell(editor_.SaveScheme());
        Tell(editor_.New(*name));
        ShowEditor();
        return;
    }
}

void SchemeEditorDialog::RenameScheme() {
    const QString oldName = schemes_->currentText();
    while (const auto name = SchemeNameDialog::Ask(oldName, this)) {
        if (editor_.NameExists(*name)) {
            Tell(SchemeEditorMessage::NameExists);
            continue;
        }
        Tell(editor_.Rename(*name));
        ShowEditor();
        return;
    }
}

void SchemeEditorDialog::RemoveScheme() {
    if (prompter_.Ask(core::Prompter::Title::Warning, kRemoveQuestion,
                      core::Prompter::Buttons::YesNo) != core::Prompter::Answer::Yes) {
        return;
    }
    Tell(editor_.Remove());
    ShowEditor();
}

void SchemeEditorDialog::TakeNote() {
    const QString text = note_->toPlainText();
    editor_.SetNote(text.toStdString());
    if (FromView(editor_.note()) == text) {
        return;
    }
    // Over the limit: the field keeps what the scheme can hold.
    const QSignalBlocker blocker(note_);
    note_->setPlainText(FromView(editor_.note()));
    note_->moveCursor(QTextCursor::End);
}

void SchemeEditorDialog::ShowMenu(int row, QPoint globalPosition) {
    QMenu menu(this);
    QAction* edit = menu.addAction(QStringLiteral("Edit Engine"));
    QAction* reset = menu.addAction(QStringLiteral("Reset Default"));
    edit->setEnabled(row >= 0);
    reset->setEnabled(!editor_.rows().empty() && editor_.UserSchemeSelected());
    QAction* chosen = menu.exec(globalPosition);
    if (chosen == edit) {
        EditEngine(row);
    } else if (chosen == reset) {
        ResetDefault();
    }
}

void SchemeEditorDialog::EditEngine(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= editor_.rows().size()) {
        return;
    }
    const auto number = EditEngineDialog::Ask(editor_.rows()[static_cast<std::size_t>(row)],
                                              editor_.UserSchemeSelected(), opener_, this);
    if (number) {
        Tell(editor_.SetReturnNumber(static_cast<std::size_t>(row), *number));
        model_->RowsChanged();
    }
}

void SchemeEditorDialog::ResetDefault() {
    editor_.ResetDefault();
    model_->RowsChanged();
}

void SchemeEditorDialog::accept() {
    Tell(editor_.Accept());
    QDialog::accept();
}

void SchemeEditorDialog::ShowEditor() {
    {
        const QSignalBlocker blocker(schemes_);
        schemes_->clear();
        for (const std::string& name : editor_.schemes()) {
            schemes_->addItem(QString::fromStdString(name));
        }
        schemes_->setCurrentIndex(static_cast<int>(editor_.selected()));
    }
    {
        const QSignalBlocker blocker(note_);
        note_->setPlainText(FromView(editor_.note()));
    }
    model_->Reset();
    const engines::SchemeEditorState state = editor_.State();
    new_->setEnabled(state.newEnabled);
    rename_->setEnabled(state.renameEnabled);
    remove_->setEnabled(state.removeEnabled);
    slider_->setEnabled(state.sliderEnabled);
    note_->setEnabled(state.noteEnabled);
    // The system scheme's note explains it; it is never saved.
    note_->setReadOnly(!editor_.UserSchemeSelected());
}

void SchemeEditorDialog::Tell(SchemeEditorMessage message) {
    if (message != SchemeEditorMessage::None) {
        prompter_.Tell(core::Prompter::Title::Error, engines::MessageText(message));
    }
}

}  // namespace quexa::ui
