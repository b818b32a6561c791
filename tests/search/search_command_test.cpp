#include "search/search_command.h"

#include "app/controls.h"
#include "tests/fakes/in_memory_request.h"
#include "tests/fakes/in_memory_window.h"

#include <gtest/gtest.h>

namespace {

std::string entry(const std::string& name, const std::string& url) {
    return "{xsong_name:\"" + name + "\",xsinger_name:\"s\",xsong_url:'" + url + "'}";
}

class search_command : public testing::Test {
  protected:
    void SetUp() override {
        reset_fake_window();
        reset_scripted_request();
    }
    in_memory_window& window = fake_window();
};

TEST_F(search_command, lists_one_row_per_entry_with_ids_from_one) {
    last_request().body = "cb({" + entry("a", "u1") + entry("", "u2") + entry("c", "") + "})";
    window.text(control_id::编辑框_QQ号码) = "10001";

    on_search_clicked();

    const std::vector<std::array<std::string, 3>> expected{
        {"1", "a", "u1"}, {"2", "", "u2"}, {"3", "c", ""}};
    EXPECT_EQ(window.rows, expected);
    EXPECT_EQ(window.text(control_id::标签_状态), status_text_for(3));
    EXPECT_EQ(window.text(control_id::标签_状态), "一共搜索到 [3]首歌曲...");
}

TEST_F(search_command, requests_the_playlist_url_with_the_number_as_typed) {
    struct numbers {
        std::string typed;
        std::string url;
    };
    for (const numbers& n :
         {numbers{"10001", "uin=10001"}, numbers{"", "uin="}, numbers{" 1 2", "uin=%201%202"},
          numbers{"abc", "uin=abc"}, numbers{"\xC7\xE7", "uin=\xC7\xE7"}}) {
        reset_scripted_request();
        window.text(control_id::编辑框_QQ号码) = n.typed;
        on_search_clicked();
        EXPECT_EQ(last_request().method, "GET");
        EXPECT_FALSE(last_request().async);
        EXPECT_EQ(last_request().sends, 1);
        EXPECT_EQ(last_request().url,
                  "http://qzone-music.qq.com/fcg-bin/cgi_playlist_xml.fcg?json=1&" + n.url)
            << "typed: " << n.typed;
    }
}

TEST_F(search_command, disables_the_button_for_the_whole_search_and_keeps_old_rows_meanwhile) {
    window.rows = {{"1", "old", "old-url"}};
    window.text(control_id::标签_状态) = status_text_for(1);
    last_request().body = entry("new", "new-url");
    bool disabled_during_request = false;
    std::size_t rows_during_request = 0;
    std::string status_during_request;
    last_request().during_send = [&] {
        disabled_during_request = window.is_disabled(control_id::按钮_搜索);
        rows_during_request = window.rows.size();
        status_during_request = window.text(control_id::标签_状态);
    };

    on_search_clicked();

    EXPECT_TRUE(disabled_during_request);
    EXPECT_EQ(rows_during_request, 1U) << "the previous rows stay until the response is in";
    EXPECT_EQ(status_during_request, status_text_for(1)) << "no status text while waiting";
    EXPECT_FALSE(window.is_disabled(control_id::按钮_搜索));
    EXPECT_EQ(window.log,
              (std::vector<std::string>{"set_disabled true", "get_text", "list_delete_all",
                                        "set_text", "set_disabled false"}));
    ASSERT_EQ(window.rows.size(), 1U);
    EXPECT_EQ(window.rows[0][1], "new");
}

TEST_F(search_command, a_failed_request_empties_the_list_and_reports_zero) {
    window.rows = {{"1", "old", "old-url"}, {"2", "old2", "old-url2"}};
    window.selected = 1;
    last_request().body = ""; // what web_request yields when anything fails

    on_search_clicked();

    EXPECT_TRUE(window.rows.empty());
    EXPECT_EQ(window.selected, -1);
    EXPECT_EQ(window.text(control_id::标签_状态), "一共搜索到 [0]首歌曲...");
    EXPECT_FALSE(window.is_disabled(control_id::按钮_搜索));
}

TEST_F(search_command, a_second_search_replaces_the_rows_and_restarts_the_ids) {
    last_request().body = entry("a", "1") + entry("b", "2") + entry("c", "3");
    on_search_clicked();
    ASSERT_EQ(window.rows.size(), 3U);

    last_request().body = entry("z", "9");
    on_search_clicked();

    EXPECT_EQ(window.rows, (std::vector<std::array<std::string, 3>>{{"1", "z", "9"}}));
    EXPECT_EQ(window.text(control_id::标签_状态), status_text_for(1));
}

TEST_F(search_command, a_body_cut_at_a_zero_byte_lists_only_the_songs_before_it) {
    last_request().body = entry("a", "1") + std::string(1, '\0') + entry("b", "2");
    on_search_clicked();
    EXPECT_EQ(window.rows.size(), 1U);
    EXPECT_EQ(window.text(control_id::标签_状态), status_text_for(1));
}

TEST(status_text, is_plain_decimal) {
    EXPECT_EQ(status_text_for(0), "一共搜索到 [0]首歌曲...");
    EXPECT_EQ(status_text_for(12345), "一共搜索到 [12345]首歌曲...");
}

TEST(clear_button, empties_the_number_box_and_nothing_else) {
    reset_fake_window();
    in_memory_window& window = fake_window();
    window.rows = {{"1", "a", "u"}};
    window.text(control_id::标签_状态) = status_text_for(1);
    for (const char* before : {"10001", ""}) {
        window.text(control_id::编辑框_QQ号码) = before;
        on_clear_clicked();
        EXPECT_EQ(window.text(control_id::编辑框_QQ号码), "");
    }
    EXPECT_EQ(window.rows.size(), 1U);
    EXPECT_EQ(window.text(control_id::标签_状态), status_text_for(1));
}

} // namespace
