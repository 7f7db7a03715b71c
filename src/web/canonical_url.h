#pragma once

#include <string>
#include <string_view>

namespace quexa::web {

// Percent-encodes the bytes that may not stand in a URL (space, control bytes, " < > \ ^ ` { | }
// and every byte from 0x80); everything else, "%" and "&" included, stays as it is.
std::string CanonicalUrl(std::string_view url);

}  // namespace quexa::web
