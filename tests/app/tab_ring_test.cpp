#include "app/main_window.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using enum control_id;

auto all_usable = [](control_id) { return true; };

TEST(tab_ring, visits_every_focusable_control_in_creation_order_and_wraps) {
    std::vector<control_id> forward;
    std::optional<control_id> at = 编辑框_QQ号码;
    for (int i = 0; i < 5; ++i) {
        at = next_on_tab_ring(at, false, all_usable);
        forward.push_back(*at);
    }
    EXPECT_EQ(forward, (std::vector<control_id>{按钮_搜索, 超级列表框1, 按钮_清空号码, 选择框1,
                                                编辑框_QQ号码}));

    std::vector<control_id> backward;
    for (int i = 0; i < 5; ++i) {
        at = next_on_tab_ring(at, true, all_usable);
        backward.push_back(*at);
    }
    EXPECT_EQ(backward, (std::vector<control_id>{选择框1, 按钮_清空号码, 超级列表框1, 按钮_搜索,
                                                 编辑框_QQ号码}));
}

TEST(tab_ring, skips_controls_that_cannot_take_the_focus) {
    const std::set<control_id> unusable{按钮_搜索, 超级列表框1};
    auto usable = [&](control_id c) { return !unusable.contains(c); };
    EXPECT_EQ(next_on_tab_ring(编辑框_QQ号码, false, usable), 按钮_清空号码);
    EXPECT_EQ(next_on_tab_ring(按钮_清空号码, true, usable), 编辑框_QQ号码);
    // The focus may sit on a control that has just been disabled.
    EXPECT_EQ(next_on_tab_ring(按钮_搜索, false, usable), 按钮_清空号码);
}

TEST(tab_ring, has_no_answer_when_nothing_is_usable) {
    EXPECT_EQ(next_on_tab_ring(编辑框_QQ号码, false, [](control_id) { return false; }),
              std::nullopt);
    EXPECT_EQ(first_on_tab_ring([](control_id) { return false; }), std::nullopt);
}

TEST(tab_ring, is_entered_at_its_ends_from_outside) {
    EXPECT_EQ(next_on_tab_ring(标签1, false, all_usable), 编辑框_QQ号码);
    EXPECT_EQ(next_on_tab_ring(std::nullopt, true, all_usable), 选择框1);
    EXPECT_EQ(first_on_tab_ring(all_usable), 编辑框_QQ号码);
    EXPECT_EQ(first_on_tab_ring([](control_id c) { return c != 编辑框_QQ号码; }), 按钮_搜索);
}

TEST(main_window_description, lists_the_controls_in_creation_order_with_labels_unfocusable) {
    for (std::size_t i = 0; i < MAIN_WINDOW_CONTROLS.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(MAIN_WINDOW_CONTROLS[i].id), i);
        const bool in_ring = std::find(TAB_RING.begin(), TAB_RING.end(),
                                       MAIN_WINDOW_CONTROLS[i].id) != TAB_RING.end();
        EXPECT_EQ(in_ring, is_focusable(MAIN_WINDOW_CONTROLS[i].kind))
            << MAIN_WINDOW_CONTROLS[i].name;
    }
    EXPECT_NE(description_of(按钮_搜索).on_clicked, nullptr);
    EXPECT_NE(description_of(按钮_清空号码).on_clicked, nullptr);
    EXPECT_NE(description_of(超级列表框1).on_double_clicked, nullptr);
}

} // namespace
