// Double-clicking a song copies its address, and shows it when 选择框1 is ticked.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Double-click handler of 超级列表框1. The position and key state are not used.
void on_list_double_clicked(std::int32_t x, std::int32_t y, std::int32_t key_state);

// "歌曲链接地址：" + address + CR LF + the hint on what to do with it.
std::string link_message(std::string_view copied_text);
