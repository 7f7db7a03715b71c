#pragma once

#include <QStringList>

#include <string_view>

namespace quexa::ui {

// The file dialogs' filters are written as "Name|patterns|Name|patterns||" with patterns
// separated by ";". A Qt file dialog wants one "Name (patterns)" per entry, blank-separated.
class FileFilter {
  public:
    static QStringList ToQt(std::string_view filter);
};

}  // namespace quexa::ui
