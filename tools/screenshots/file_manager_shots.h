#pragma once

namespace quexa::screenshots {

class ShotWriter;

// The result file manager with every picture, its three context menus, the Save File, File
// Property and Change Password dialogs.
void FileManagerShots(ShotWriter& writer);

}  // namespace quexa::screenshots
