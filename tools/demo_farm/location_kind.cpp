#include "demo_farm/location_kind.h"

#include <array>

namespace quexa::demo {

namespace {

struct KindName {
    LocationKind kind;
    std::string_view segment;
    int status;
};

constexpr std::array<KindName, 7> kKinds{{
    {LocationKind::kOk, "200", 200},
    {LocationKind::kMovedPermanently, "301", 301},
    {LocationKind::kFound, "302", 302},
    {LocationKind::kFoundNowhere, "302-bare", 302},
    {LocationKind::kNotFound, "404", 404},
    {LocationKind::kServerError, "500", 500},
    {LocationKind::kNever, "never", 0},
}};

const KindName& Entry(LocationKind kind) {
    for (const KindName& entry : kKinds) {
        if (entry.kind == kind) {
            return entry;
        }
    }
    return kKinds.front();
}

}  // namespace

std::string LocationPath(LocationKind kind, std::string_view id) {
    return "/loc/" + std::string(Entry(kind).segment) + "/" + std::string(id);
}

std::optional<LocationKind> ParseLocationKind(std::string_view segment) {
    for (const KindName& entry : kKinds) {
        if (entry.segment == segment) {
            return entry.kind;
        }
    }
    return std::nullopt;
}

int LocationStatus(LocationKind kind) {
    return Entry(kind).status;
}

}  // namespace quexa::demo
