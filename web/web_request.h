// One HTTP exchange, returning the response body as a text. Never reports a failure:
// whatever goes wrong, the caller gets the body that was obtained, or the empty text.
#pragma once

#include <optional>
#include <string>

// `method` defaults to "GET" and `async` to false. A URL that does not begin with "http"
// (in any case) gets "http://" in front, and the completed URL is written back into `url`.
// The body is cut at its first zero byte and is never converted.
std::string web_request(const std::optional<std::string>& method, std::string& url,
                        std::optional<bool> async = std::nullopt);

// True when the URL already starts with "http" in any ASCII case. Bytes of 0x80 and up
// lead a double-byte character, whose trail byte is never lowered.
bool starts_with_http(std::string_view url);

// `url` with every byte for which `unsafe` holds written as %XX.
std::string percent_encode(std::string_view url, bool (*unsafe)(unsigned char byte));

// Blanks and control bytes percent-encoded, so that no URL can split the request line
// or add a header.
std::string escape_request_line_bytes(std::string_view url);
