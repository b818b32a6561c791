#include "web/web_request.h"

#include "tests/fakes/in_memory_request.h"

#include <gtest/gtest.h>

namespace {

struct completion_case {
    std::string url;
    std::string sent; // what Open receives, and what the caller's variable then holds
};

class url_completion : public testing::TestWithParam<completion_case> {};

TEST_P(url_completion, completes_only_urls_that_do_not_begin_with_http) {
    reset_scripted_request();
    std::string url = GetParam().url;
    web_request("GET", url);
    EXPECT_EQ(last_request().url, GetParam().sent);
    EXPECT_EQ(url, GetParam().sent) << "the completed URL is written back";
}

INSTANTIATE_TEST_SUITE_P(
    cases, url_completion,
    testing::Values(completion_case{"http://a.example/x", "http://a.example/x"},
                    completion_case{"HTTP://A.example/X", "HTTP://A.example/X"},
                    completion_case{"hTtPs://a.example/", "hTtPs://a.example/"},
                    completion_case{"httpfoo", "httpfoo"},
                    completion_case{"a.example/x", "http://a.example/x"},
                    completion_case{"", "http://"}, completion_case{"htt", "http://htt"},
                    completion_case{"ftp://a.example", "http://ftp://a.example"},
                    // The trail byte of a double-byte character is never lowered.
                    completion_case{"\x81T", "http://\x81T"},
                    completion_case{"\xB8HTTP", "http://\xB8HTTP"}));

TEST(url_escaping, blanks_and_control_bytes_never_reach_the_request_line_raw) {
    reset_scripted_request();
    std::string url = "http://a.example/?uin=1 2\r\nX-Injected: 1\t\x7F";
    web_request("GET", url);
    EXPECT_EQ(last_request().url, "http://a.example/?uin=1%202%0D%0AX-Injected:%201%09%7F");
    EXPECT_EQ(url, "http://a.example/?uin=1 2\r\nX-Injected: 1\t\x7F");
}

TEST(web_request_defaults, are_get_and_synchronous) {
    reset_scripted_request("body");
    std::string url = "http://a.example/";
    EXPECT_EQ(web_request(std::nullopt, url), "body");
    EXPECT_EQ(last_request().method, "GET");
    EXPECT_FALSE(last_request().async);

    web_request("POST", url, true);
    EXPECT_EQ(last_request().method, "POST");
    EXPECT_TRUE(last_request().async);
}

TEST(web_request_body, is_cut_at_the_first_zero_byte) {
    struct body_case {
        std::string body, text;
    };
    for (const body_case& c : {body_case{"abc", "abc"}, body_case{std::string("ab\0cd", 5), "ab"},
                               body_case{std::string("\0cd", 3), ""}, body_case{"", ""},
                               body_case{"\xC7\xE7\xCC\xEC", "\xC7\xE7\xCC\xEC"}}) {
        reset_scripted_request(c.body);
        std::string url = "http://a.example/";
        EXPECT_EQ(web_request("GET", url), c.text);
    }
}

} // namespace
