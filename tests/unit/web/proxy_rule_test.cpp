#include "web/proxy_rule.h"

#include <gtest/gtest.h>

#include <string>

namespace quexa::web {
namespace {

TEST(ProxyRuleTest, ListTextFromAddress) {
    struct Case {
        std::string address, expected;
    };
    const Case cases[] = {
        {"proxy.example.net:8080", "http=http://proxy.example.net:8080"},
        {"Proxy.Example.NET:3128", "http=http://proxy.example.net:3128"},
        {"http://cache.example.org:80", "http=http://cache.example.org:80"},
        {"HTTP://Cache.example.org:80", "http=http://cache.example.org:80"},
        {"10.0.0.1:80", "http=http://10.0.0.1:80"},
        // Only "http://" counts as present, wherever it stands.
        {"https://secure.example:443", "http=http://https://secure.example:443"},
        {"x.example:1/http://", "http=x.example:1/http://"},
        {":80", "http=http://:80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProxyListText(c.address), c.expected) << c.address;
    }
}

TEST(ProxyRuleTest, SameAddressSameTextAndAddressLeftAlone) {
    const std::string address = "Proxy.Example:8000";
    EXPECT_EQ(ProxyListText(address), ProxyListText(address));
    EXPECT_EQ(address, "Proxy.Example:8000");
}

TEST(ProxyRuleTest, ProxyNamedByListText) {
    EXPECT_EQ(ProxyFromListText("http=http://p.example:8080"), "http://p.example:8080");
    EXPECT_EQ(ProxyFromListText(ProxyListText("P.example:1")), "http://p.example:1");
    EXPECT_EQ(ProxyFromListText("ftp=ftp://p.example:21"), "");
    EXPECT_EQ(ProxyFromListText(""), "");
}

TEST(ProxyRuleTest, LocalHostsGoDirect) {
    struct Case {
        std::string host;
        bool bypass;
    };
    const Case cases[] = {
        {"localhost", true},
        {"intranet", true},
        {"127.0.0.1", true},
        {"[::1]", true},
        {"::1", true},
        {"www.example.com", false},
        {"127.0.0.2", false},
        {"10.1.2.3", false},
        {"[2001:db8::1]", false},
        {"localhost.example", false},
        {"host.", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BypassesProxy(c.host), c.bypass) << c.host;
    }
}

}  // namespace
}  // namespace quexa::web
