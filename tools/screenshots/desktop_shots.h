#pragma once

namespace quexa::screenshots {

class ShotWriter;

// The dial-up hang-up dialog part way through its countdown.
void HangUpDialogShot(ShotWriter& writer);
// The tray notifier's frames, and its icon in a notification area when Debian's trayer is
// there to hold it (skipped otherwise).
void TrayShots(ShotWriter& writer);

}  // namespace quexa::screenshots
