#include "web/curl_global.h"

#include <curl/curl.h>

namespace quexa::web {

bool EnsureCurlGlobalInit() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return initialised;
}

}  // namespace quexa::web
