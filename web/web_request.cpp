#include "web/web_request.h"

#include "web/request_object.h"

namespace {

char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered_skipping_trail_bytes(std::string_view text) {
    std::string lowered(text);
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        if (static_cast<unsigned char>(lowered[i]) >= 0x80) {
            ++i; // the trail byte of a double-byte character may look like a capital
        } else {
            lowered[i] = ascii_lower(lowered[i]);
        }
    }
    return lowered;
}

std::string up_to_first_zero_byte(std::string bytes) {
    bytes.resize(std::min(bytes.find('\0'), bytes.size()));
    return bytes;
}

} // namespace

bool starts_with_http(std::string_view url) {
    return lowered_skipping_trail_bytes(url).starts_with("http");
}

std::string percent_encode(std::string_view url, bool (*unsafe)(unsigned char byte)) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(url.size());
    for (const char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (unsafe(byte)) {
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 0x0F];
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::string escape_request_line_bytes(std::string_view url) {
    return percent_encode(url, [](unsigned char byte) { return byte <= 0x20 || byte == 0x7F; });
}

std::string web_request(const std::optional<std::string>& method, std::string& url,
                        std::optional<bool> async) {
    const std::unique_ptr<request_object> request = create_request_object();
    if (!starts_with_http(url)) {
        url = "http://" + url;
    }
    request->open(method.value_or("GET"), escape_request_line_bytes(url), async.value_or(false));
    request->send();
    return up_to_first_zero_byte(request->response_body());
}
