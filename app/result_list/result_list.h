// The result list 超级列表框1: one row per song, columns "ID", "歌曲名称", "歌曲地址".
// Each window build defines the operations on its own list control.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum class column_alignment : std::int32_t { left = 0, centre = 1, right = 2 };

struct list_column {
    const char* title; // CP936
    std::int32_t width;
    column_alignment alignment;
    std::int32_t image; // -1: none
    bool image_on_right;
};

// clang-format off
inline constexpr std::array<list_column, 3> RESULT_LIST_COLUMNS{{
    {"ID", 50, column_alignment::left, -1, false},
    {"歌曲名称", 180, column_alignment::left, -1, false},
    {"歌曲地址", 100, column_alignment::left, -1, false},
}};
// clang-format on

// Modifier bits carried by the list's double-click event.
inline constexpr std::int32_t KEY_STATE_CTRL = 1;
inline constexpr std::int32_t KEY_STATE_SHIFT = 2;
inline constexpr std::int32_t KEY_STATE_ALT = 4;

void list_delete_all();
// Appends a row with `text` in column 0; the new row's index, or -1 when the list refuses it.
std::int32_t list_insert_item(std::string_view text);
// Column 0 replaces the row's own text; 1 and 2 are its other cells.
void list_set_item_text(std::int32_t row, std::int32_t column, std::string_view text);
std::int32_t list_item_count();
// Empty when the cell is empty or does not exist.
std::string list_get_item_text(std::int32_t row, std::int32_t column);
// -1 when no row is selected.
std::int32_t list_selected_item();
