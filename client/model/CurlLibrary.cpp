#include "client/model/CurlLibrary.h"

#include <curl/curl.h>
#include <mutex>

namespace plenfox::client::model {

void CurlLibrary::ensureInitialized() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace plenfox::client::model
