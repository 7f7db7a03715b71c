#include "web/proxy_rule.h"

#include "core/text.h"

namespace quexa::web {

namespace {

constexpr std::string_view kListPrefix = "http=";

bool IsIpv6Literal(std::string_view host) {
    return host.starts_with('[') || core::Contains(host, ":");
}

std::string_view WithoutBrackets(std::string_view host) {
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        return host.substr(1, host.size() - 2);
    }
    return host;
}

}  // namespace

std::string ProxyListText(std::string_view proxyAddress) {
    std::string text = core::AsciiLower(proxyAddress);
    if (!core::Contains(text, "http://")) {
        text.insert(0, "http://");
    }
    return std::string(kListPrefix) + text;
}

std::string ProxyFromListText(std::string_view listText) {
    if (!listText.starts_with(kListPrefix)) {
        return {};
    }
    return std::string(listText.substr(kListPrefix.size()));
}

bool BypassesProxy(std::string_view host) {
    if (IsIpv6Literal(host)) {
        return WithoutBrackets(host) == "::1";
    }
    return !core::Contains(host, ".") || host == "127.0.0.1";
}

}  // namespace quexa::web
