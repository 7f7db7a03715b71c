#include "tasks/engine_state.h"

#include <array>
#include <cstddef>

namespace quexa::tasks {

std::string_view EngineStateText(int state) {
    static constexpr std::array<std::string_view, 5> kTexts{"Idel", "Connecting", "Searching",
                                                            "Finished", "Abort"};
    if (state < 0 || state >= static_cast<int>(kTexts.size())) {
        return kTexts[0];
    }
    return kTexts[static_cast<std::size_t>(state)];
}

}  // namespace quexa::tasks
