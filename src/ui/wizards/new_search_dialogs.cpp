#include "ui/wizards/new_search_dialogs.h"

#include "ui/scheme_editor/scheme_editor_dialog.h"
#include "ui/wizards/internet_search_wizard.h"
#include "ui/wizards/intranet_search_wizard.h"
#include "ui/wizards/search_mode_dialog.h"

namespace quexa::ui {

std::optional<tasks::SearchMode> NewSearchDialogs::Run(QWidget* parent, const Context& context) {
    SearchModeDialog modes(parent);
    if (modes.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const tasks::SearchMode mode = modes.Choice();
    int result = QDialog::Accepted;
    if (mode == tasks::SearchMode::Internet) {
        InternetSearchWizard wizard(context.profile, context.folders, context.cache,
                                    context.prompter, parent);
        wizard.Schemes().SetConfigure([&context](QWidget* owner, const std::string& directory) {
            return SchemeEditorDialog::Run(context.folders, context.profile, directory,
                                           context.prompter, context.opener, owner)
                .has_value();
        });
        result = wizard.exec();
    } else if (mode == tasks::SearchMode::Intranet) {
        IntranetSearchWizard wizard(context.profile, context.prompter, parent);
        result = wizard.exec();
    }
    if (result != QDialog::Accepted) {
        return std::nullopt;
    }
    return mode;
}

}  // namespace quexa::ui
