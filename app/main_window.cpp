#include "app/main_window.h"

#include "actions/link_copy.h"
#include "search/search_command.h"

const window_description MAIN_WINDOW{"Sonvale-Brackwen", 337, 443};

// clang-format off
const std::array<control_description, CONTROL_COUNT> MAIN_WINDOW_CONTROLS{{
    {control_id::标签1, "标签1", control_kind::label, 8, 16, 56, 24,
     "QQ号码：", BLACK, std::nullopt},
    {control_id::编辑框_QQ号码, "编辑框_QQ号码", control_kind::edit_box, 56, 16, 112, 24,
     "", BLACK, WHITE},
    {control_id::按钮_搜索, "按钮_搜索", control_kind::push_button, 176, 16, 72, 24,
     "点我搜索", std::nullopt, std::nullopt, on_search_clicked},
    {control_id::超级列表框1, "超级列表框1", control_kind::result_list, 0, 104, 376, 312,
     "", BLACK, WHITE, nullptr, on_list_double_clicked},
    {control_id::标签_状态, "标签_状态", control_kind::label, 16, 72, 304, 24,
     "", STATUS_GREEN, std::nullopt},
    {control_id::按钮_清空号码, "按钮_清空号码", control_kind::push_button, 256, 16, 72, 24,
     "清空号码", std::nullopt, std::nullopt, on_clear_clicked},
    {control_id::标签2, "标签2", control_kind::label, 8, 40, 232, 32,
     "提示：双击列表可 复制歌曲地址...", HINT_BLUE, std::nullopt},
    {control_id::选择框1, "选择框1", control_kind::check_box, 256, 48, 72, 16,
     "提示地址", BLACK, std::nullopt},
}};
// clang-format on

const control_description& description_of(control_id control) {
    return MAIN_WINDOW_CONTROLS[static_cast<std::size_t>(control)];
}

bool is_focusable(control_kind kind) {
    return kind != control_kind::label;
}

void on_clear_clicked() {
    control_set_text(control_id::编辑框_QQ号码, "");
}
