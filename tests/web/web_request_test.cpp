// web_request through this build's real request object, against the sample server.
#include "tests/web/sample_server.h"

#include <gtest/gtest.h>

namespace {

std::string server() {
    return sample_server();
}
std::string get(std::string url) {
    return http_get(std::move(url));
}

std::string playlist(const std::string& uin) {
    return get(server() + "/fcg-bin/cgi_playlist_xml.fcg?json=1&uin=" + uin);
}

class web_request_to_server : public testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(server().empty()) << "SAMPLE_SERVER is not set"; }
};

TEST_F(web_request_to_server, returns_the_gbk_body_byte_for_byte) {
    const std::string body = playlist("10001");
    EXPECT_TRUE(body.starts_with("jsonCallback({qqmusic:{")) << body.substr(0, 80);
    EXPECT_TRUE(body.ends_with("]}}})"));
    // "晴天" and "月亮代表我的心" in GBK, never converted.
    EXPECT_NE(body.find("xsong_name:\"\xC7\xE7\xCC\xEC\""), std::string::npos);
    EXPECT_NE(body.find("xsong_name:\"\xD4\xC2\xC1\xC1\xB4\xFA\xB1\xED\xCE\xD2\xB5\xC4\xD0\xC4\""),
              std::string::npos);
    EXPECT_EQ(body.find('\0'), std::string::npos);
}

TEST_F(web_request_to_server, cuts_the_body_at_its_first_zero_byte) {
    EXPECT_EQ(get(server() + "/nul"), "before");
    const std::string cut = playlist("fault-nul");
    EXPECT_FALSE(cut.empty());
    EXPECT_FALSE(cut.ends_with("]}}})")) << "the bytes after the NUL are dropped";
}

TEST_F(web_request_to_server, returns_the_body_of_an_error_status) {
    EXPECT_EQ(get(server() + "/status/404"), "\xD7\xB4\xCC\xAC 404 body"); // "状态" in GBK
    EXPECT_EQ(get(server() + "/status/500"), "\xD7\xB4\xCC\xAC 500 body");
}

TEST_F(web_request_to_server, follows_a_redirect) {
    EXPECT_EQ(get(server() + "/redirect?to=/echo%3Fafter"), "/echo?after");
}

TEST_F(web_request_to_server, gives_the_empty_text_when_nothing_answers) {
    // Port 1 on the loopback is closed: the connection is refused at once.
    EXPECT_EQ(get("http://127.0.0.1:1/"), "");
    EXPECT_EQ(get("http://host.invalid/"), "");
}

TEST_F(web_request_to_server, completes_a_url_without_scheme) {
    const std::string without_scheme = server().substr(std::string("http://").size());
    EXPECT_EQ(get(without_scheme + "/echo?x=1"), "/echo?x=1");
    EXPECT_EQ(get("HTTP://" + without_scheme + "/echo?x=2"), "/echo?x=2");
}

struct encoding_case {
    std::string query;   // CP936 bytes, as typed
    std::string arrives; // the request target the server saw
};

class percent_encoding : public web_request_to_server,
                         public testing::WithParamInterface<encoding_case> {};

TEST_P(percent_encoding, keeps_blanks_and_non_ascii_off_the_request_line) {
    EXPECT_EQ(get(server() + "/echo?uin=" + GetParam().query), "/echo?uin=" + GetParam().arrives);
}

INSTANTIATE_TEST_SUITE_P(numbers, percent_encoding,
                         testing::Values(encoding_case{"10001", "10001"},
                                         encoding_case{"1 2", "1%202"},
                                         encoding_case{"1\r\nX-Evil: 1", "1%0D%0AX-Evil:%201"},
                                         // "晴天" in CP936 goes out as UTF-8, percent-encoded.
                                         encoding_case{"\xC7\xE7\xCC\xEC", "%E6%99%B4%E5%A4%A9"}));

} // namespace
