// What the libcurl request object keeps of the Windows request object's defaults.
#include "tests/web/sample_server.h"

#include <gtest/gtest.h>

namespace {

std::string server() {
    return sample_server();
}
std::string get(std::string url) {
    return http_get(std::move(url));
}

TEST(curl_request_object, sends_the_windows_user_agent) {
    EXPECT_NE(get(server() + "/headers")
                  .find("User-Agent: Mozilla/4.0 (compatible; Win32; WinHttp.WinHttpRequest.5)\n"),
              std::string::npos);
}

TEST(curl_request_object, percent_encodes_the_bytes_that_are_unsafe_in_a_url) {
    EXPECT_EQ(get(server() + "/echo?q=\"<>\\^`{|}~"), "/echo?q=%22%3C%3E%5C%5E%60%7B%7C%7D~");
}

TEST(curl_request_object, follows_ten_redirects_and_fails_on_the_eleventh) {
    EXPECT_EQ(get(server() + "/redirect-chain?n=10"), "arrived");
    EXPECT_EQ(get(server() + "/redirect-chain?n=11"), "");
    EXPECT_EQ(get(server() + "/redirect-loop"), "");
}

// Wine's request object ignores its receive time-out and would wait for ever, so the
// silent peer is tested here only. The Windows object gives up after 30 s of silence.
TEST(curl_request_object, gives_up_on_a_peer_that_never_answers) {
    EXPECT_EQ(get(server() + "/silent"), "");
}

} // namespace
