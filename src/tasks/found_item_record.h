#pragma once

#include <cstddef>
#include <string>

namespace quexa::tasks {

// One item a search worker found, waiting in the queue for the user-interface thread.
struct FoundItemRecord {
    static constexpr std::size_t kEngineNameLimit = 255;
    static constexpr std::size_t kTitleLimit = 255;
    static constexpr std::size_t kPreviewLimit = 1023;
    static constexpr std::size_t kLocationLimit = 255;

    std::string engineName;
    std::string title;
    std::string preview;
    std::string location;
};

}  // namespace quexa::tasks
