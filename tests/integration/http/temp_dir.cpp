#include "temp_dir.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

namespace quexa::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quexa-http-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("can't create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace quexa::test
