#pragma once

#include <string>
#include <string_view>

namespace quexa::engines {

// Creates each missing folder of the path, top down. True when the path now names a folder.
bool EnsureFolderPath(const std::string& path);

// Equal as paths a person typed: letter case ignored, blanks at both ends and runs of separators
// counting as one.
bool SamePath(std::string_view left, std::string_view right);

// Whether the folder takes new files: the "123.tmp" test file is created and removed again. An
// existing test file that can't be written is made writable and counts as not writable this time.
bool IsFolderWritable(const std::string& folder);

// Name order of folder listings: letter case ignored first, then the bytes.
bool FileNameBefore(const std::string& left, const std::string& right);

}  // namespace quexa::engines
