// The search command end to end over HTTP: the real playlist URL reaches the sample
// server through http_proxy, and the rows land in the in-memory list.
#include "search/search_command.h"

#include "tests/fakes/in_memory_window.h"

#include <gtest/gtest.h>

namespace {

class search_through_server : public testing::Test {
  protected:
    void SetUp() override {
        reset_fake_window();
        window.rows = {{"1", "stale", "stale"}};
    }
    void search(const std::string& number) {
        window.text(control_id::编辑框_QQ号码) = number;
        on_search_clicked();
    }
    in_memory_window& window = fake_window();
};

TEST_F(search_through_server, lists_the_sample_playlist) {
    search("10001");
    ASSERT_EQ(window.rows.size(), 6U);
    EXPECT_EQ(window.rows[0],
              (std::array<std::string, 3>{"1", "\xC7\xE7\xCC\xEC",
                                          "http://stream.music.example/qqmusic/1001.mp3"}));
    EXPECT_EQ(window.rows[2][0], "3");
    EXPECT_EQ(window.rows[2][1], "") << "the song with an empty name still has a row";
    EXPECT_EQ(window.rows[5][0], "6");
    EXPECT_EQ(window.text(control_id::标签_状态), "一共搜索到 [6]首歌曲...");
    EXPECT_FALSE(window.is_disabled(control_id::按钮_搜索));
}

TEST_F(search_through_server, reports_zero_for_a_playlist_without_songs) {
    search("0");
    EXPECT_TRUE(window.rows.empty()) << "the previous rows are gone";
    EXPECT_EQ(window.text(control_id::标签_状态), "一共搜索到 [0]首歌曲...");
}

TEST_F(search_through_server, lists_the_songs_of_an_error_page_and_before_a_zero_byte) {
    search("fault-404");
    ASSERT_EQ(window.rows.size(), 1U) << "an error status still yields its body";
    search("fault-nul");
    EXPECT_EQ(window.rows.size(), 2U) << "the body ends at the zero byte after song 2";
    search("fault-redirect");
    EXPECT_EQ(window.rows.size(), 6U);
}

} // namespace
