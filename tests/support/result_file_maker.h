#pragma once

#include <filesystem>
#include <string_view>

#include "files/result_folder.h"

namespace quexa::testing {

// Writes a file the file manager shows with the given picture: a plain result file, one with
// a password, one of a newer version, or bytes that are no result file at all.
void MakeResultFile(const std::filesystem::path& path,
                    files::FilePicture picture = files::FilePicture::Valid,
                    std::string_view password = "secret");

}  // namespace quexa::testing
