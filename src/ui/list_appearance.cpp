#include "ui/list_appearance.h"

#include "core/settings_table.h"
#include "ui/picture_book.h"

namespace quexa::ui {

ListAppearance ListAppearance::FromProfile(const core::Profile& profile) {
    namespace settings = core::settings;
    ListAppearance appearance;
    appearance.alternateRows = settings::kAlternateColor.ReadFlag(profile);
    appearance.horizontalGrid = settings::kHorizontalGrid.ReadFlag(profile);
    appearance.verticalGrid = settings::kVerticalGrid.ReadFlag(profile);
    if (settings::kUseBackgroundImage.ReadFlag(profile)) {
        const int chosen = settings::kBackgroundImage.Read(profile);
        appearance.background = chosen >= 0 && chosen < PictureBook::kBackgroundCount ? chosen : 0;
    }
    return appearance;
}

}  // namespace quexa::ui
