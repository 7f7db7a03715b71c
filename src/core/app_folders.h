#pragma once

#include <string>
#include <string_view>

namespace quexa::core {

// Where the program finds its shipped data and where it keeps what it writes.
// With a home folder both are that folder (portable use and every test). Otherwise shipped
// data (Categories, html.htm, tips.txt) comes from the program's own folder when that holds
// Categories (a build tree), else from the installed data folder, and everything written
// (UserData, Data, Temp) goes to the user's data folder, so that a rebuild or a read-only
// installation never loses or refuses the user's files.
struct AppFolders {
    std::string appDirectory;   // shipped data; no trailing separator
    std::string dataDirectory;  // writable; no trailing separator

    struct Facts {
        std::string home;              // --home or QUEXA_HOME; empty when neither is given
        std::string programDirectory;  // folder of the program file
        bool programHasData = false;   // programDirectory holds Categories
        std::string installedData;     // share/quexa of the installation
        std::string userData;          // the user's data folder for Quexa
    };
    static AppFolders Resolve(const Facts& facts);
};

}  // namespace quexa::core
