// The request object of the Linux build, on libcurl. It keeps the defaults of the Windows
// program's request object, because that is what users of the Windows program get:
//  - proxies from the environment (http_proxy, no_proxy);
//  - at most 60 s to connect, and a failure after 30 s without data;
//  - at most 10 redirects followed, never from https to http;
//  - its User-Agent;
//  - the URL converted from CP936 to UTF-8, with unsafe bytes percent-encoded;
//  - certificates verified for https.
//
// libcurl, and the two dozen libraries it brings (TLS, Kerberos, LDAP, ...), are loaded at
// the first request instead of at start: the window opens sooner and smaller, and a user
// who never searches never pays for them.
#include "web/request_object.h"

#include "app/ansi_text_linux.h"
#include "web/web_request.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <string_view>

namespace {

constexpr long CONNECT_TIMEOUT_SECONDS = 60;
constexpr long SILENCE_TIMEOUT_SECONDS = 30;
constexpr int MAX_REDIRECTS = 10;
constexpr char USER_AGENT[] = "Mozilla/4.0 (compatible; Win32; WinHttp.WinHttpRequest.5)";

bool is_unsafe_in_url(unsigned char byte) {
    return byte <= 0x20 || byte >= 0x7F ||
           std::string_view("\"<>\\^`{|}").find(static_cast<char>(byte)) != std::string_view::npos;
}

bool is_https(std::string_view url) {
    constexpr std::string_view scheme = "https://";
    if (url.size() < scheme.size()) {
        return false;
    }
    for (std::size_t i = 0; i < scheme.size(); ++i) {
        const char c = url[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != scheme[i]) {
            return false;
        }
    }
    return true;
}

size_t append_to_string(char* data, size_t size, size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

struct curl_library {
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_reset) easy_reset = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
};

template <typename Function> bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// Loaded once and kept for the life of the process; null when libcurl is missing, and
// every request then fails as it would without a network.
const curl_library* curl() {
    static const curl_library* const loaded = []() -> const curl_library* {
        void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        static curl_library api;
        decltype(&curl_global_init) global_init = nullptr;
        if (!library || !resolve(library, "curl_global_init", global_init) ||
            !resolve(library, "curl_easy_init", api.easy_init) ||
            !resolve(library, "curl_easy_setopt", api.easy_setopt) ||
            !resolve(library, "curl_easy_perform", api.easy_perform) ||
            !resolve(library, "curl_easy_getinfo", api.easy_getinfo) ||
            !resolve(library, "curl_easy_reset", api.easy_reset) ||
            !resolve(library, "curl_easy_cleanup", api.easy_cleanup) ||
            global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            return nullptr;
        }
        return &api;
    }();
    return loaded;
}

class curl_request final : public request_object {
  public:
    curl_request() : curl_(curl()) {
        if (curl_) {
            handle_ = curl_->easy_init();
        }
    }
    ~curl_request() override {
        if (handle_) {
            curl_->easy_cleanup(handle_);
        }
    }
    curl_request(const curl_request&) = delete;
    curl_request& operator=(const curl_request&) = delete;

    void open(const std::string& method, const std::string& url, bool /*async*/) override {
        method_ = method;
        url_ = percent_encode(utf8_from_ansi(url), is_unsafe_in_url);
        opened_ = handle_ != nullptr;
    }

    void send() override {
        if (!opened_) {
            return;
        }
        std::string url = url_;
        for (int hop = 0; hop <= MAX_REDIRECTS; ++hop) {
            body_.clear();
            if (!perform(url)) {
                body_.clear();
                return;
            }
            const char* location = nullptr;
            curl_->easy_getinfo(handle_, CURLINFO_REDIRECT_URL, &location);
            if (!location || (is_https(url) && !is_https(location))) {
                received_ = true;
                return;
            }
            url = location;
        }
        body_.clear(); // too many redirects: a failure, as on Windows
    }

    std::string response_body() override { return received_ ? body_ : std::string(); }

  private:
    bool perform(const std::string& url) {
        curl_->easy_reset(handle_);
        curl_->easy_setopt(handle_, CURLOPT_URL, url.c_str());
        if (method_ != "GET") {
            curl_->easy_setopt(handle_, CURLOPT_CUSTOMREQUEST, method_.c_str());
        }
        curl_->easy_setopt(handle_, CURLOPT_USERAGENT, USER_AGENT);
        curl_->easy_setopt(handle_, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_->easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT, CONNECT_TIMEOUT_SECONDS);
        curl_->easy_setopt(handle_, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_->easy_setopt(handle_, CURLOPT_LOW_SPEED_TIME, SILENCE_TIMEOUT_SECONDS);
        curl_->easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
        curl_->easy_setopt(handle_, CURLOPT_WRITEFUNCTION, append_to_string);
        curl_->easy_setopt(handle_, CURLOPT_WRITEDATA, &body_);
        return curl_->easy_perform(handle_) == CURLE_OK;
    }

    const curl_library* curl_;
    CURL* handle_ = nullptr;
    std::string method_;
    std::string url_;
    std::string body_;
    bool opened_ = false;
    bool received_ = false;
};

} // namespace

std::unique_ptr<request_object> create_request_object() {
    return std::make_unique<curl_request>();
}
