#pragma once

#include <curl/curl.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "web/http_settings.h"

namespace quexa::web {

// One easy handle driven by its own multi handle, so the stop flag is looked at every few
// milliseconds whatever the network does. Connections are kept for the next request.
class CurlTransfer {
  public:
    // Where the bytes of a response go; returning false ends the transfer.
    class Receiver {
      public:
        virtual ~Receiver() = default;
        virtual bool OnHeaderLine(std::string_view line) = 0;
        virtual bool OnBody(std::string_view bytes) = 0;
    };

    explicit CurlTransfer(const HttpSettings& settings);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    void SetStopFlag(const std::atomic<int>* stopFlag) { stopFlag_ = stopFlag; }
    bool StopRequested() const;

    // GETs the URL; the libcurl result, CURLE_ABORTED_BY_CALLBACK after a stop.
    CURLcode Get(std::string_view url, Receiver& receiver);
    // What went wrong in the last Get, in words.
    std::string ErrorText(CURLcode code) const;

    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    static size_t OnBody(char* data, size_t size, size_t count, void* self);
    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

  private:
    struct EasyDeleter {
        void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
    };
    struct MultiDeleter {
        void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
    };
    struct ListDeleter {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };

    void Configure(const HttpSettings& settings);
    void ConfigureCallbacks();
    void ConfigureExtraCa();
    CURLcode Prepare(std::string_view url);
    CURLcode Perform();
    CURLcode DoneResult() const;

    std::unique_ptr<CURLM, MultiDeleter> multi_;
    std::unique_ptr<CURL, EasyDeleter> easy_;
    std::unique_ptr<curl_slist, ListDeleter> requestHeaders_;
    std::string proxy_;
    std::string extraCaFile_;
    const std::atomic<int>* stopFlag_ = nullptr;
    Receiver* receiver_ = nullptr;
    std::array<char, CURL_ERROR_SIZE> errorBuffer_{};
    std::string prepareError_;
};

}  // namespace quexa::web
