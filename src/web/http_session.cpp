#include "web/http_session.h"

#include "core/page_charset.h"
#include "core/text.h"

#include "web/curl_transfer.h"
#include "web/header_collector.h"
#include "web/page_buffer.h"
#include "web/status_line.h"

namespace quexa::web {

namespace {

class PageReceiver : public CurlTransfer::Receiver {
  public:
    PageReceiver(HeaderCollector& headers, PageBuffer& page) : headers_(headers), page_(page) {}
    bool OnHeaderLine(std::string_view line) override {
        headers_.Add(line);
        return true;
    }
    bool OnBody(std::string_view bytes) override { return page_.Append(bytes); }

  private:
    HeaderCollector& headers_;
    PageBuffer& page_;
};

// Ends the transfer as soon as the final response's headers are in.
class HeaderReceiver : public CurlTransfer::Receiver {
  public:
    explicit HeaderReceiver(HeaderCollector& headers) : headers_(headers) {}
    bool OnHeaderLine(std::string_view line) override { return !headers_.Add(line); }
    bool OnBody(std::string_view) override { return false; }

  private:
    HeaderCollector& headers_;
};

// The value of the Content-Type line of NUL-separated raw headers.
std::string_view ContentType(std::string_view raw) {
    constexpr std::string_view kName = "content-type:";
    while (!raw.empty()) {
        const std::size_t end = raw.find('\0');
        const std::string_view line = raw.substr(0, end);
        if (line.size() >= kName.size() &&
            core::AsciiLower(line.substr(0, kName.size())) == kName) {
            return core::Trim(line.substr(kName.size()));
        }
        if (end == std::string_view::npos) {
            break;
        }
        raw.remove_prefix(end + 1);
    }
    return {};
}

}  // namespace

class HttpSession::Transfer {
  public:
    explicit Transfer(const HttpSettings& settings) : curl(settings) {}

    // An answer that has begun counts even when its body was cut short.
    bool Run(std::string_view url, CurlTransfer::Receiver& receiver,
             const HeaderCollector& answer) {
        if (url.empty()) {
            lastError = -1;
            lastErrorText = "no URL";
            return false;
        }
        const CURLcode result = curl.Get(url, receiver);
        lastResult = result;
        if (answer.Complete()) {
            return true;
        }
        lastError = result == CURLE_OK ? CURLE_RECV_ERROR : result;
        lastErrorText = curl.ErrorText(static_cast<CURLcode>(lastError));
        return false;
    }

    // A redirect curl would not follow (a refused scheme, a bad target) is the answer.
    bool AcceptUnfollowedRedirect() {
        const bool refused =
            lastError == CURLE_UNSUPPORTED_PROTOCOL || lastError == CURLE_URL_MALFORMAT;
        if (!refused || !headers.AcceptUnfollowedRedirect()) {
            return false;
        }
        lastError = 0;
        lastErrorText.clear();
        return true;
    }

    CurlTransfer curl;
    PageBuffer page;
    // The page in UTF-8 when it declared another charset.
    std::string converted;
    HeaderCollector pageHeaders;
    HeaderCollector headers;
    int lastError = 0;
    std::string lastErrorText;
    CURLcode lastResult = CURLE_OK;
};

std::string HttpSession::UserAgent(std::string_view contact) {
    std::string printable;
    for (const char c : contact) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            printable += c;
        }
    }
    core::TrimInPlace(printable);
    if (printable.empty()) {
        return kUserAgent;
    }
    return std::string(kUserAgent) + " (" + printable + ")";
}

HttpSession::HttpSession(HttpSettings settings) : transfer_(std::make_unique<Transfer>(settings)) {}

HttpSession::~HttpSession() = default;

void HttpSession::SetStopFlag(const std::atomic<int>* stopFlag) {
    transfer_->curl.SetStopFlag(stopFlag);
}

std::optional<std::string_view> HttpSession::FetchPage(std::string_view url) {
    Transfer& t = *transfer_;
    t.page.Clear();
    t.pageHeaders.Clear();
    PageReceiver receiver(t.pageHeaders, t.page);
    if (!t.Run(url, receiver, t.pageHeaders)) {
        t.page.Clear();
        return std::nullopt;
    }
    const std::string_view text = t.page.Text();
    const std::string charset = core::PageCharset::Declared(ContentType(t.pageHeaders.Raw()), text);
    std::optional<std::string> utf8 = core::PageCharset::ToUtf8(text, charset);
    if (!utf8) {
        return text;
    }
    t.converted = std::move(*utf8);
    return t.converted;
}

std::optional<std::string_view> HttpSession::QueryRawHeaders(std::string_view url) {
    Transfer& t = *transfer_;
    t.headers.Clear();
    HeaderReceiver receiver(t.headers);
    if (!t.Run(url, receiver, t.headers) && !t.AcceptUnfollowedRedirect()) {
        t.headers.Clear();
        return std::nullopt;
    }
    return t.headers.Raw();
}

int HttpSession::StatusCode() const {
    return StatusCodeFromRawHeaders(transfer_->headers.Raw());
}

HttpSession::PageEnd HttpSession::LastPageEnd() const {
    const Transfer& t = *transfer_;
    if (t.page.Full()) {
        return PageEnd::Capped;
    }
    switch (t.lastResult) {
        case CURLE_OK:
            return PageEnd::Complete;
        case CURLE_OPERATION_TIMEDOUT:
            return PageEnd::Stalled;
        case CURLE_ABORTED_BY_CALLBACK:
            return PageEnd::Stopped;
        default:
            return PageEnd::Broken;
    }
}

int HttpSession::LastError() const {
    return transfer_->lastError;
}

std::string HttpSession::LastErrorText() const {
    return transfer_->lastErrorText;
}

}  // namespace quexa::web
