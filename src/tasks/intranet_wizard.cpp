#include "tasks/intranet_wizard.h"

#include <filesystem>

#include "core/keyword_history.h"
#include "core/settings_table.h"
#include "files/folder_search.h"
#include "tasks/target_list.h"

namespace quexa::tasks {

std::string IntranetWizard::JoinPatterns(const std::vector<std::string>& patterns) {
    std::string text;
    for (const std::string& pattern : patterns) {
        text += (text.empty() ? "" : ";") + pattern;
    }
    return text;
}

std::string IntranetWizard::TargetText(const std::vector<std::string>& targets) {
    // Named targets stand for themselves: the whole network only when none is named.
    TargetList list;
    list.SetTicked(0, targets.empty());
    for (const std::string& target : targets) {
        const bool remote = files::FolderSearch::IsNetworkForm(target) ||
                            target.starts_with("\\\\") || target.find(":/") != std::string::npos;
        list.Add(remote || target.empty() ? target : std::filesystem::absolute(target).string());
    }
    return list.TargetText().value_or("");
}

void IntranetWizard::Remember(core::Profile& profile, const std::string& patterns,
                              const std::string& targets) {
    core::settings::kIntranetPatterns.Write(profile, patterns);
    core::settings::kLastSearchTarget.Write(profile, targets);
    const core::KeywordHistory history = core::KeywordHistory::Intranet();
    history.Add(profile, patterns, history.Load(profile));
}

}  // namespace quexa::tasks
