#include "core/page_charset.h"

#include <iconv.h>

#include <array>
#include <cerrno>

#include "core/text.h"

namespace quexa::core {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsNameByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
}

// The value after "charset=" at the start of text, quotes allowed.
std::string CharsetValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '"' || text[i] == '\'')) {
        ++i;
    }
    std::size_t end = i;
    while (end < text.size() && IsNameByte(text[end])) {
        ++end;
    }
    return AsciiLower(text.substr(i, end - i));
}

std::string AfterCharsetKey(std::string_view lower) {
    constexpr std::string_view kKey = "charset";
    std::size_t at = lower.find(kKey);
    while (at != std::string_view::npos) {
        std::size_t i = at + kKey.size();
        while (i < lower.size() && lower[i] == ' ') {
            ++i;
        }
        if (i < lower.size() && lower[i] == '=') {
            return CharsetValue(lower.substr(i + 1));
        }
        at = lower.find(kKey, at + 1);
    }
    return {};
}

bool NeedsNoConversion(std::string_view charset) {
    return charset.empty() || charset == "utf-8" || charset == "utf8" || charset == "us-ascii" ||
           charset == "ascii";
}

class Converter {
  public:
    explicit Converter(const std::string& charset)
        : handle_(iconv_open("UTF-8", charset.c_str())) {}
    ~Converter() {
        if (valid()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::string Convert(std::string_view page) {
        std::string out;
        out.reserve(page.size() + page.size() / 2);
        char* in = const_cast<char*>(page.data());
        std::size_t inLeft = page.size();
        std::array<char, 16384> buffer{};
        while (inLeft > 0) {
            char* to = buffer.data();
            std::size_t toLeft = buffer.size();
            const std::size_t done = iconv(handle_, &in, &inLeft, &to, &toLeft);
            out.append(buffer.data(), buffer.size() - toLeft);
            if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
                // An undefined or cut-off sequence: one byte is replaced and reading goes on.
                out.append(kReplacement);
                ++in;
                --inLeft;
                iconv(handle_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

  private:
    iconv_t handle_;
};

}  // namespace

std::string PageCharset::FromContentType(std::string_view contentType) {
    return AfterCharsetKey(AsciiLower(contentType));
}

std::string PageCharset::FromMeta(std::string_view page) {
    const std::string lower = AsciiLower(page.substr(0, kMetaScanBytes));
    std::size_t at = lower.find("<meta");
    while (at != std::string::npos) {
        const std::size_t end = lower.find('>', at);
        const std::string_view tag =
            std::string_view(lower).substr(at, end == std::string::npos ? end : end - at);
        std::string charset = AfterCharsetKey(tag);
        if (!charset.empty()) {
            return charset;
        }
        at = lower.find("<meta", at + 5);
    }
    return {};
}

std::string PageCharset::Declared(std::string_view contentType, std::string_view page) {
    std::string charset = FromContentType(contentType);
    return charset.empty() ? FromMeta(page) : charset;
}

std::optional<std::string> PageCharset::ToUtf8(std::string_view page, std::string_view charset) {
    if (NeedsNoConversion(charset)) {
        return std::nullopt;
    }
    Converter converter{std::string(charset)};
    if (!converter.valid()) {
        return std::nullopt;
    }
    return converter.Convert(page);
}

}  // namespace quexa::core
