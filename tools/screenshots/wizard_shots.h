#pragma once

#include "shot_writer.h"

namespace quexa::screenshots {

// The New Search mode dialog, every page of both wizards and the network resource list.
void WizardShots(ShotWriter& writer);

}  // namespace quexa::screenshots
