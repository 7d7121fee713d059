#include "http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "platform/text.h"

namespace basalt {
namespace {

constexpr long kConnectTimeoutMs = 10'000;
constexpr long kTotalTimeoutMs = 30'000;
constexpr char kUserAgent[] = "Folioforge-Basalt/1.0";

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlPtr = std::unique_ptr<CURL, CurlDeleter>;
using HeaderList = std::unique_ptr<curl_slist, CurlDeleter>;

CurlPtr NewCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    return CurlPtr(curl_easy_init());
}

long TotalTimeoutMs(long capMs) {
    const char* configured = std::getenv("FOLIOFORGE_HTTP_TIMEOUT_MS");
    const long value = configured ? std::strtol(configured, nullptr, 10) : 0;
    const long total = value > 0 ? value : kTotalTimeoutMs;
    return capMs > 0 ? std::min(total, capMs) : total;
}

size_t CollectBody(char* data, size_t size, size_t count, void* sink) {
    auto& body = *static_cast<std::string*>(sink);
    const size_t bytes = size * count;
    if (bytes > kMaxResponseBytes - body.size())
        return 0;  // makes libcurl fail the transfer
    body.append(data, bytes);
    return bytes;
}

void SetCommonOptions(CURL* curl, const std::string& url, std::string& body, long capMs = 0) {
    const long totalMs = TotalTimeoutMs(capMs);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, std::min(kConnectTimeoutMs, totalMs));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, totalMs);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CollectBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
}

// Runs the transfer; true when it completed with a 2xx status.
bool PerformForSuccess(CURL* curl) {
    if (curl_easy_perform(curl) != CURLE_OK)
        return false;
    long status = 0;
    if (curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK)
        return false;
    return status >= 200 && status <= 299;
}

}  // namespace

bool PostForm(std::wstring_view url, std::string_view body, std::string& response,
              long totalCapMs) {
    const CurlPtr curl = NewCurl();
    if (!curl)
        return false;
    std::string received;
    SetCommonOptions(curl.get(), platform::ToUtf8(url), received, totalCapMs);

    const HeaderList headers(
        curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded"));
    if (!headers || !curl_slist_append(headers.get(), "Accept: */*"))
        return false;
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.empty() ? "" : body.data());

    if (!PerformForSuccess(curl.get()))
        return false;
    response.append(received);
    return true;
}

std::optional<std::string> Fetch(std::wstring_view url) {
    const CurlPtr curl = NewCurl();
    if (!curl)
        return std::nullopt;
    std::string received;
    SetCommonOptions(curl.get(), platform::ToUtf8(url), received);
    if (!PerformForSuccess(curl.get()))
        return std::nullopt;
    return received;
}

}  // namespace basalt
