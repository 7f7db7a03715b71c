#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quexa::files {

// How a result file looks in the file manager: what its header says of it.
enum class FilePicture { Valid, Protected, Newer, Unreadable };

// One entry of a folder as the file manager shows it.
struct ResultFolderEntry {
    // The node's text: a folder's name, a result file's name without ".qzr".
    std::string text;
    std::filesystem::path path;
    bool isFolder = false;
    // A folder with anything in it gets an expand button before it is read.
    bool hasEntries = false;
    FilePicture picture = FilePicture::Valid;
};

// The folders of result files on disk: what a node of the file manager holds and where it is.
class ResultFolder {
  public:
    static constexpr std::string_view kExtension = ".qzr";

    // Opens the file's header once.
    static FilePicture PictureOf(const std::filesystem::path& path);
    // Sub-folders first, then the files whose names end in "qzr" (any letter case), each group
    // in the order the listing gives. Nothing when the folder can't be read.
    static std::vector<ResultFolderEntry> List(const std::filesystem::path& folder);
    static bool HasEntries(const std::filesystem::path& folder);
    // Where a node named text lives in folder.
    static std::filesystem::path ChildPath(const std::filesystem::path& folder,
                                           std::string_view text, bool isFile);
    // The node text of a result file path: its name without the extension.
    static std::string TextOf(const std::filesystem::path& path, bool isFile);
    // True when path is folder itself or lies inside it; letter case is ignored. The current
    // file's node and every folder holding it are kept from being moved or deleted by it.
    static bool Holds(const std::filesystem::path& folder, const std::filesystem::path& path);
    // A child of folder named text (letter case ignored), of the kind given.
    static bool HasChild(const std::filesystem::path& folder, std::string_view text, bool isFile);
    // A name that can stand for one entry in a folder.
    static bool IsPlainName(std::string_view name);
};

}  // namespace quexa::files
