// Raw headers as a server might send them: the status code must stay a three-digit value or 0,
// and the collector must keep a well-formed list whatever the lines hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "web/header_collector.h"
#include "web/status_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const int code = quexa::web::StatusCodeFromRawHeaders(raw);
    if (code < 0 || code > 999) {
        std::abort();
    }

    quexa::web::HeaderCollector headers;
    std::size_t pos = 0;
    while (pos < raw.size()) {
        std::size_t end = raw.find('\n', pos);
        end = end == std::string_view::npos ? raw.size() : end + 1;
        headers.Add(raw.substr(pos, end - pos));
        pos = end;
    }
    const std::string_view kept = headers.Raw();
    if (headers.Complete() && !kept.ends_with(std::string_view("\0\0", 2))) {
        std::abort();
    }
    if (kept.find('\n') != std::string_view::npos) {
        std::abort();
    }
    const int keptCode = quexa::web::StatusCodeFromRawHeaders(kept);
    if (keptCode < 0 || keptCode > 999) {
        std::abort();
    }
    return 0;
}
