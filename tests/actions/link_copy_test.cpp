#include "actions/link_copy.h"

#include "actions/clipboard.h"
#include "tests/fakes/in_memory_window.h"

#include <gtest/gtest.h>

namespace {

const std::string HINT = "\r\n请到迅雷下载.或者直接添加到QQ空间背景音乐..";

class link_copy : public testing::Test {
  protected:
    void SetUp() override {
        reset_fake_window();
        window.rows = {
            {"1", "a", "http://x/1.mp3"}, {"2", "b", ""}, {"3", "c", "http://x/\xB8\xE8"}};
        window.clipboard = "earlier";
    }
    in_memory_window& window = fake_window();
};

TEST_F(link_copy, with_no_row_selected_changes_nothing) {
    window.selected = -1;
    on_list_double_clicked(5, 5, 0);
    EXPECT_EQ(window.clipboard, "earlier");
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(link_copy, copies_the_selected_address_and_shows_it_when_ticked) {
    window.selected = 0;
    on_list_double_clicked(10, 20, 0);
    EXPECT_EQ(window.clipboard, "http://x/1.mp3");
    ASSERT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(window.messages[0].text, "歌曲链接地址：http://x/1.mp3" + HINT);
    EXPECT_EQ(window.messages[0].caption, "信息：");
    EXPECT_EQ(window.messages[0].style, MESSAGE_BOX_TASK_MODAL);
}

TEST_F(link_copy, when_unticked_only_copies) {
    window.ticked = false;
    window.selected = 2;
    on_list_double_clicked(0, 0, 1);
    EXPECT_EQ(window.clipboard, "http://x/\xB8\xE8") << "non-ASCII bytes copied unchanged";
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(link_copy, an_empty_address_copies_an_empty_text) {
    window.selected = 1;
    on_list_double_clicked(0, 0, 0);
    EXPECT_EQ(window.clipboard, "");
    ASSERT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(window.messages[0].text, "歌曲链接地址：" + HINT);
}

TEST_F(link_copy, shows_what_the_clipboard_holds_when_another_program_has_it) {
    window.selected = 0;
    window.clipboard_locked = true;
    on_list_double_clicked(0, 0, 0);
    window.clipboard_locked = false;
    EXPECT_EQ(window.clipboard, "earlier");
    ASSERT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(window.messages[0].text, "歌曲链接地址：" + HINT)
        << "the clipboard could not be read either";
}

} // namespace
