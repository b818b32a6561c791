#include "actions/link_copy.h"

#include "actions/clipboard.h"
#include "app/controls.h"
#include "app/result_list/result_list.h"

std::string link_message(std::string_view copied_text) {
    std::string message = "歌曲链接地址：";
    message += copied_text;
    message += "\r\n请到迅雷下载.或者直接添加到QQ空间背景音乐..";
    return message;
}

void on_list_double_clicked(std::int32_t /*x*/, std::int32_t /*y*/, std::int32_t /*key_state*/) {
    const std::int32_t row = list_selected_item();
    if (row == -1) {
        return;
    }
    clipboard_set_text(list_get_item_text(row, 2));
    if (!control_is_ticked(control_id::选择框1)) {
        return;
    }
    // What the clipboard holds now, not the list's text: if another program held the
    // clipboard, the user sees what will actually be pasted.
    message_box(link_message(clipboard_get_text()), MESSAGE_BOX_OK);
}
