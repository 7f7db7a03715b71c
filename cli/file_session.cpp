#include "cli/file_session.h"

#include <unistd.h>

#include "cli/settings_loader.h"
#include "core/result_item.h"
#include "core/settings_table.h"

namespace quexa::cli {

FileSession::FileSession(const CommandContext& context, std::optional<std::string> password,
                         bool answerYes)
    : profile_(OpenProfile(context)),
      mainThread_(std::make_shared<core::PlainMainThread>()),
      line_(ProgressLine::ForStderr()),
      host_(line_),
      console_(line_, std::move(password)),
      prompter_(console_, line_, answerYes),
      waitLine_(wait_, line_, *mainThread_, isatty(STDERR_FILENO) == 1),
      document_(tasks::TaskEnvironment{list_, *profile_, cache_, mainThread_, host_, prompter_},
                state_, &wait_) {
    const core::AppFolders folders = LocateFolders(context);
    cache_.appDirectory = folders.appDirectory;
    cache_.dataDirectory = folders.dataDirectory;
    cache_.LoadViewSettings(*profile_);
    cache_.previewHeight =
        core::ResultItem::PreviewHeightFor(core::settings::kPreview.ReadFlag(*profile_) ? 1 : 0);
}

}  // namespace quexa::cli
