#include "tasks/location_opener.h"

namespace quexa::tasks {

std::string_view ExecuteFailedText(LocationOpener::Failure failure) {
    using F = LocationOpener::Failure;
    switch (failure) {
        case F::OutOfResources:
            return "The operating system is out of memory or resources.";
        case F::FileNotFound:
            return "The specified file was not found.";
        case F::PathNotFound:
            return "The specified path was not found. ";
        case F::AccessDenied:
            return "The operating system denied access to the specified file.";
        case F::OutOfMemory:
            return "There was not enough memory to complete the operation.";
        case F::BadProgram:
            return "The .exe file is invalid (non-Win32? .exe or error in .exe image).";
        case F::SharingViolation:
            return "A sharing violation occurred.";
        case F::IncompleteAssociation:
            return "The file name association is incomplete or invalid. ";
        case F::DdeTimeout:
            return "The DDE transaction could not be completed because the request timed out. ";
        case F::DdeFailed:
            return "The DDE transaction failed.";
        case F::DdeBusy:
            return "The DDE transaction could not be completed because other DDE transactions "
                   "were being processed.";
        case F::NoAssociation:
            return "There is no application associated with the given file name extension. This "
                   "error will also be returned if you attempt to print a file that is not "
                   "printable.";
        case F::LibraryNotFound:
            return "The specified dynamic-link library was not found.";
        case F::None:
            break;
    }
    return {};
}

}  // namespace quexa::tasks
