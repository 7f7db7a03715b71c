#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "demo_farm/fake_engine.h"

namespace quexa::demo {

// Writes a complete home folder for a farm listening on that port: Categories/config.qcf with a
// "Demo" category (folder "Demo"), Categories/Demo/*.qzf for every engine of the demo set, and an
// empty Categories/Global/. Other categories already in the category file are kept. False (and
// the reason in error) when something can't be written.
bool WriteDemoHome(const std::filesystem::path& dir, int port, std::string* error = nullptr);

// The same for any engines, listed as the named category in the folder of that name (benchmarks:
// FakeEngine::Bench). Engine files already in the folder are removed first.
bool WriteCategoryHome(const std::filesystem::path& dir, int port, std::string_view category,
                       const std::vector<FakeEngine>& engines, std::string* error = nullptr);

}  // namespace quexa::demo
