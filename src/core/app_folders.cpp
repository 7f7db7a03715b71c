#include "core/app_folders.h"

namespace quexa::core {
namespace {

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

}  // namespace

AppFolders AppFolders::Resolve(const Facts& facts) {
    if (!facts.home.empty()) {
        std::string home = WithoutTrailingSeparator(facts.home);
        return {home, home};
    }
    return {WithoutTrailingSeparator(facts.programHasData ? facts.programDirectory
                                                          : facts.installedData),
            WithoutTrailingSeparator(facts.userData)};
}

}  // namespace quexa::core
