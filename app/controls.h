// The controls of the main window, and the operations the handlers perform on them.
// Each window build defines these operations; the handlers never see a widget.
#pragma once

#include <string>
#include <string_view>

// In creation order, which is also the stacking order from bottom to top.
enum class control_id {
    标签1,
    编辑框_QQ号码,
    按钮_搜索,
    超级列表框1,
    标签_状态,
    按钮_清空号码,
    标签2,
    选择框1,
};

inline constexpr int CONTROL_COUNT = 8;

// true greys the control and takes it out of mouse, keyboard and the Tab ring.
void control_set_disabled(control_id control, bool disabled);
std::string control_get_text(control_id control);
void control_set_text(control_id control, std::string_view text);
bool control_is_ticked(control_id control);

// Click handler of 按钮_清空号码.
void on_clear_clicked();
