#include "web/curl_transfer.h"

#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

#include <cstdlib>

#include "web/canonical_url.h"
#include "web/curl_global.h"
#include "web/http_session.h"
#include "web/proxy_rule.h"

namespace quexa::web {

namespace {

constexpr long kMaxRedirects = 10;
constexpr int kPollMilliseconds = 25;
constexpr int kDefaultTimeoutSeconds = 45;
// A transfer that brings fewer bytes than this a second for a whole time-out has stalled: a drip
// of a byte or two a second would otherwise hold a worker for ever.
constexpr long kStallBytesPerSecond = 16;

struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

// A scheme as curl reads one where a default scheme is allowed: a letter, then letters, digits,
// "+", "-" or ".", then ":" and "/". So "host:8080/x" has none.
bool HasScheme(std::string_view url) {
    const auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (url.empty() || !isAlpha(url.front())) {
        return false;
    }
    std::size_t end = 1;
    while (end < url.size() && (isAlpha(url[end]) || (url[end] >= '0' && url[end] <= '9') ||
                                url[end] == '+' || url[end] == '-' || url[end] == '.')) {
        ++end;
    }
    return url.substr(end).starts_with(":/");
}

// curl's default scheme is https; ours is http, as a URL typed without one always meant.
std::string WithScheme(std::string url) {
    if (!HasScheme(url)) {
        url.insert(0, "http://");
    }
    return url;
}

std::string UrlPart(CURLU* url, CURLUPart what) {
    char* part = nullptr;
    if (curl_url_get(url, what, &part, 0) != CURLUE_OK || part == nullptr) {
        return {};
    }
    std::string text = part;
    curl_free(part);
    return text;
}

// The proxy a session uses, or empty for none: an enabled proxy without a host can't be
// reached, so requests go direct rather than all failing.
std::string ProxyFor(const HttpSettings& settings) {
    if (!settings.proxyEnabled) {
        return {};
    }
    const std::string proxy = ProxyFromListText(ProxyListText(settings.proxyAddress));
    const UrlHandle url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, proxy.c_str(), 0) != CURLUE_OK ||
        UrlPart(url.get(), CURLUPART_HOST).empty()) {
        return {};
    }
    return proxy;
}

CURLcode AddExtraCa(CURL*, void* sslContext, void* caFile) {
    X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslContext));
    return X509_STORE_load_file(store, static_cast<const char*>(caFile)) == 1
               ? CURLE_OK
               : CURLE_SSL_CACERT_BADFILE;
}

}  // namespace

CurlTransfer::CurlTransfer(const HttpSettings& settings) : stopFlag_(settings.stopFlag) {
    if (!EnsureCurlGlobalInit()) {
        return;
    }
    multi_.reset(curl_multi_init());
    easy_.reset(curl_easy_init());
    if (multi_ && easy_) {
        Configure(settings);
    }
}

CurlTransfer::~CurlTransfer() = default;

bool CurlTransfer::StopRequested() const {
    return stopFlag_ != nullptr && stopFlag_->load(std::memory_order_relaxed) == 0;
}

void CurlTransfer::Configure(const HttpSettings& settings) {
    CURL* easy = easy_.get();
    const long timeout =
        settings.timeoutSeconds > 0 ? settings.timeoutSeconds : kDefaultTimeoutSeconds;
    curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    requestHeaders_.reset(headers);
    if (headers != nullptr && curl_slist_append(headers, "Pragma: no-cache") == nullptr) {
        requestHeaders_.reset();
    }
    proxy_ = ProxyFor(settings);

    curl_easy_setopt(easy, CURLOPT_USERAGENT, HttpSession::UserAgent(settings.contact).c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, requestHeaders_.get());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, timeout * 1000L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, kStallBytesPerSecond);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, timeout);
    curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    ConfigureCallbacks();
    ConfigureExtraCa();
}

void CurlTransfer::ConfigureCallbacks() {
    CURL* easy = easy_.get();
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer_.data());
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &CurlTransfer::OnProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CurlTransfer::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlTransfer::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
}

// The extra CAs join the system's in the TLS context; only a libcurl without that hook gets
// the file as its whole CA list.
void CurlTransfer::ConfigureExtraCa() {
    const char* file = std::getenv(HttpSession::kCaBundleVariable);
    if (file == nullptr || *file == '\0') {
        return;
    }
    extraCaFile_ = file;
    CURL* easy = easy_.get();
    curl_easy_setopt(easy, CURLOPT_CA_CACHE_TIMEOUT, 0L);
    if (curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, &AddExtraCa) != CURLE_OK) {
        curl_easy_setopt(easy, CURLOPT_CAINFO, extraCaFile_.c_str());
        return;
    }
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, static_cast<void*>(extraCaFile_.data()));
}

CURLcode CurlTransfer::Get(std::string_view url, Receiver& receiver) {
    if (!easy_ || !multi_) {
        return CURLE_FAILED_INIT;
    }
    errorBuffer_[0] = '\0';
    prepareError_.clear();
    receiver_ = &receiver;
    CURLcode result = Prepare(url);
    if (result == CURLE_OK) {
        result = Perform();
    }
    receiver_ = nullptr;
    return result;
}

// Only http and https are fetched; a URL without a scheme is taken as http.
CURLcode CurlTransfer::Prepare(std::string_view url) {
    const UrlHandle parsed(curl_url());
    const std::string canonical = WithScheme(CanonicalUrl(url));
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, canonical.c_str(),
                                CURLU_DEFAULT_SCHEME) != CURLUE_OK) {
        prepareError_ = "malformed URL";
        return CURLE_URL_MALFORMAT;
    }
    const std::string scheme = UrlPart(parsed.get(), CURLUPART_SCHEME);
    if (scheme != "http" && scheme != "https") {
        prepareError_ = "only http and https locations are fetched";
        return CURLE_UNSUPPORTED_PROTOCOL;
    }
    const bool direct = proxy_.empty() || BypassesProxy(UrlPart(parsed.get(), CURLUPART_HOST));
    curl_easy_setopt(easy_.get(), CURLOPT_PROXY, direct ? "" : proxy_.c_str());
    return curl_easy_setopt(easy_.get(), CURLOPT_URL, UrlPart(parsed.get(), CURLUPART_URL).c_str());
}

CURLcode CurlTransfer::Perform() {
    if (curl_multi_add_handle(multi_.get(), easy_.get()) != CURLM_OK) {
        return CURLE_FAILED_INIT;
    }
    bool stopped = false;
    int running = 1;
    while (curl_multi_perform(multi_.get(), &running) == CURLM_OK && running > 0) {
        if (StopRequested()) {
            stopped = true;
            break;
        }
        curl_multi_poll(multi_.get(), nullptr, 0, kPollMilliseconds, nullptr);
    }
    const CURLcode result = stopped ? CURLE_ABORTED_BY_CALLBACK : DoneResult();
    curl_multi_remove_handle(multi_.get(), easy_.get());
    return result;
}

CURLcode CurlTransfer::DoneResult() const {
    CURLcode result = CURLE_RECV_ERROR;
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi_.get(), &left)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy_.get()) {
            result = message->data.result;
        }
    }
    return result;
}

std::string CurlTransfer::ErrorText(CURLcode code) const {
    if (!prepareError_.empty()) {
        return prepareError_;
    }
    if (errorBuffer_[0] != '\0') {
        return errorBuffer_.data();
    }
    return curl_easy_strerror(code);
}

size_t CurlTransfer::OnHeader(char* data, size_t size, size_t count, void* self) {
    const size_t bytes = size * count;
    auto* transfer = static_cast<CurlTransfer*>(self);
    return transfer->receiver_->OnHeaderLine({data, bytes}) ? bytes : 0;
}

size_t CurlTransfer::OnBody(char* data, size_t size, size_t count, void* self) {
    const size_t bytes = size * count;
    auto* transfer = static_cast<CurlTransfer*>(self);
    return transfer->receiver_->OnBody({data, bytes}) ? bytes : 0;
}

int CurlTransfer::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const CurlTransfer*>(self)->StopRequested() ? 1 : 0;
}

}  // namespace quexa::web
