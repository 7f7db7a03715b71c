#pragma once

#include <string>
#include <string_view>

namespace quexa::tasks {

// Opens result locations with the desktop's programs. The platform adapter asks the system;
// tests record what was asked.
class LocationOpener {
  public:
    // Why an open failed, in the terms the "Execute Failed" dialog explains.
    enum class Failure {
        None,
        OutOfResources,
        FileNotFound,
        PathNotFound,
        AccessDenied,
        OutOfMemory,
        BadProgram,
        SharingViolation,
        IncompleteAssociation,
        DdeTimeout,
        DdeFailed,
        DdeBusy,
        NoAssociation,
        LibraryNotFound,
    };

    virtual ~LocationOpener() = default;

    // A web address in the browser (WebBrowser of the Options when set, else the desktop's
    // default). Nobody is told when it fails.
    virtual void Browse(std::string_view location) = 0;
    // A file or folder with the program the desktop has for it.
    virtual Failure Open(std::string_view location) = 0;
    // A folder in the file manager; a file's folder when the location names a file.
    virtual Failure Explore(std::string_view location) = 0;
};

// The "Error Code:" text of the "Execute Failed" dialog; empty for None.
std::string_view ExecuteFailedText(LocationOpener::Failure failure);

}  // namespace quexa::tasks
