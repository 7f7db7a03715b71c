#pragma once

namespace quexa::web {

// Initialises libcurl once per process, whichever thread comes first; false if it failed.
bool EnsureCurlGlobalInit();

}  // namespace quexa::web
