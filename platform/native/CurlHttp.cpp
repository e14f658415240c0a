#include "platform/native/CurlHttp.h"

#include <curl/curl.h>

namespace platform {

namespace {
size_t Collect(char* data, size_t size, size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}
}  // namespace

std::optional<std::string> CurlHttp::Get(const std::string& url, int timeoutSeconds) {
    CURL* curl = curl_easy_init();
    if (curl == nullptr) return std::nullopt;
    std::string body;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(timeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    if (rc != CURLE_OK || status < 200 || status >= 300) return std::nullopt;
    return body;
}

}  // namespace platform
