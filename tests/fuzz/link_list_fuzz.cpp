// A link list comes from anywhere: reading one must survive any bytes and give exactly the
// whole records present; a record made from what was read reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "core/result_item.h"
#include "core/text.h"
#include "files/link_list.h"

namespace {

using quexa::files::LinkList;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void RoundTrip(const LinkList::Entry& entry) {
    quexa::core::ResultItem item;
    item.location = entry.location;
    item.title = entry.title;
    item.visit =
        entry.visited ? quexa::core::VisitCode::Visited : quexa::core::VisitCode::WithoutVisit;
    const LinkList::Entry again = LinkList::Decode(LinkList::Encode(item));
    Check(again.location == quexa::core::BoundedCopy(entry.location, LinkList::kLocationWidth));
    Check(again.title == quexa::core::BoundedCopy(entry.title, LinkList::kTitleWidth));
    Check(again.visited == entry.visited && again.inUse);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<std::vector<LinkList::Entry>> entries = LinkList::Parse(bytes);
    if (!entries) {
        Check(size < LinkList::kHeaderSize || bytes.substr(0, 4) != "QZSA");
        return 0;
    }
    Check(entries->size() == (size - LinkList::kHeaderSize) / LinkList::kRecordSize);
    for (const LinkList::Entry& entry : *entries) {
        Check(entry.location.size() <= LinkList::kLocationWidth);
        Check(entry.title.size() <= LinkList::kTitleWidth);
        Check(entry.location.find('\0') == std::string_view::npos);
        RoundTrip(entry);
    }
    return 0;
}
