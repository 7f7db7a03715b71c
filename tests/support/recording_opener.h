#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tasks/location_opener.h"

namespace quexa::testing {

// Records every request; Open and Explore answer with the failure set for the location, None
// for any other.
class RecordingOpener : public tasks::LocationOpener {
  public:
    void Browse(std::string_view location) override { browsed.emplace_back(location); }
    Failure Open(std::string_view location) override {
        opened.emplace_back(location);
        return Answer(location);
    }
    Failure Explore(std::string_view location) override {
        explored.emplace_back(location);
        return Answer(location);
    }

    std::map<std::string, Failure, std::less<>> failures;
    std::vector<std::string> browsed;
    std::vector<std::string> opened;
    std::vector<std::string> explored;

  private:
    Failure Answer(std::string_view location) const {
        const auto found = failures.find(location);
        return found == failures.end() ? Failure::None : found->second;
    }
};

}  // namespace quexa::testing
