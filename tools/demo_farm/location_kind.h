#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quexa::demo {

// What a result location on the farm answers. Redirects lead to the kOk location of the same id;
// kFoundNowhere answers 302 without a target, so the 302 itself is the final answer; kNever
// holds the connection without answering until the farm stops (or a long hold limit).
enum class LocationKind {
    kOk,
    kMovedPermanently,
    kFound,
    kFoundNowhere,
    kNotFound,
    kServerError,
    kNever
};

// "/loc/200/ID", "/loc/301/ID", "/loc/302/ID", "/loc/302-bare/ID", "/loc/404/ID",
// "/loc/500/ID", "/loc/never/ID".
std::string LocationPath(LocationKind kind, std::string_view id);
// The kind named by a path segment ("200", ..., "never").
std::optional<LocationKind> ParseLocationKind(std::string_view segment);
// The HTTP status the farm answers with; 0 for kNever.
int LocationStatus(LocationKind kind);

}  // namespace quexa::demo
