#pragma once

#include <string>
#include <string_view>

// How the proxy setting becomes a proxy for a request.
namespace quexa::web {

// "http=" + the address in lower case, with "http://" in front unless it already holds one.
std::string ProxyListText(std::string_view proxyAddress);

// The proxy the list text names for http (what follows "http="); empty when it names none.
std::string ProxyFromListText(std::string_view listText);

// Local hosts go direct: names without a dot, and the loopback names the system always kept
// off the proxy (127.0.0.1, ::1). Other 127.x.y.z addresses are ordinary hosts.
bool BypassesProxy(std::string_view host);

}  // namespace quexa::web
