#pragma once

// The library's blocking HTTP over libcurl, for http and https URLs only.
//
// Proxies come from the environment as libcurl reads it (http_proxy, https_proxy, all_proxy,
// no_proxy). Every request is bounded: connecting may take at most 10 s and the whole request
// at most 30 s; the environment variable FOLIOFORGE_HTTP_TIMEOUT_MS, when it holds a positive
// number, replaces the total limit (and caps the connect limit). Redirects to http and https
// are followed, at most five. A response body larger than kMaxResponseBytes fails the request.
//
// Thread-safe: each call uses its own connection.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace basalt {

inline constexpr size_t kMaxResponseBytes = 16u << 20;

// Posts body (sent as it is) with "Content-Type: application/x-www-form-urlencoded" and
// "Accept: */*". True when the server answered with a status from 200 to 299; the whole body
// is then appended to response. On failure response is unchanged. A positive totalCapMs lowers
// the request's limits (connecting and the whole request) to at most that many milliseconds.
bool PostForm(std::wstring_view url, std::string_view body, std::string& response,
              long totalCapMs = 0);

// The body of a GET request answered with a status from 200 to 299; nullopt on failure.
std::optional<std::string> Fetch(std::wstring_view url);

}  // namespace basalt
