#pragma once

#include "shot_writer.h"

namespace quexa::screenshots {

// Every page of the Options sheet, the scheme editor over a small category of its own, and the
// scheme editor's two small dialogs.
void OptionShots(ShotWriter& writer);

}  // namespace quexa::screenshots
