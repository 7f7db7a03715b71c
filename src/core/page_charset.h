#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quexa::core {

// Pages are read as UTF-8; one that declares another charset is converted first.
class PageCharset {
  public:
    // How far into a page a meta tag is looked for.
    static constexpr std::size_t kMetaScanBytes = 4096;

    // The charset parameter of a Content-Type value, lower case; empty when there is none.
    static std::string FromContentType(std::string_view contentType);
    // The charset a meta tag near the start of the page declares, lower case; empty when none.
    static std::string FromMeta(std::string_view page);
    // The header's charset, else the meta tag's.
    static std::string Declared(std::string_view contentType, std::string_view page);

    // The page in UTF-8; nothing when no conversion is needed or the charset is unknown, in
    // which case the page is read as it stands. Bytes the charset doesn't define become U+FFFD.
    static std::optional<std::string> ToUtf8(std::string_view page, std::string_view charset);
};

}  // namespace quexa::core
