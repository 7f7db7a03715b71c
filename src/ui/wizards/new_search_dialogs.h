#pragma once

#include <QWidget>

#include <optional>

#include "core/app_folders.h"
#include "core/profile.h"
#include "core/prompter.h"
#include "core/settings_cache.h"
#include "tasks/location_opener.h"
#include "tasks/search_mode.h"

namespace quexa::ui {

// The dialogs of New Search: the mode, then the wizard of that mode. What they chose is in the
// profile when they end.
class NewSearchDialogs {
  public:
    struct Context {
        core::Profile& profile;
        const core::AppFolders& folders;
        core::SettingsCache& cache;
        core::Prompter& prompter;
        // For the scheme editor's Visit Web.
        tasks::LocationOpener& opener;
    };

    // The mode whose dialogs were finished; nothing when one was cancelled.
    static std::optional<tasks::SearchMode> Run(QWidget* parent, const Context& context);
};

}  // namespace quexa::ui
