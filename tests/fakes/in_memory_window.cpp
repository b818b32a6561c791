#include "tests/fakes/in_memory_window.h"

#include "actions/clipboard.h"
#include "app/result_list/result_list.h"

namespace {
in_memory_window window;

void record(std::string line) {
    window.log.push_back(std::move(line));
}

bool cell_exists(std::int32_t row, std::int32_t column) {
    return row >= 0 && static_cast<std::size_t>(row) < window.rows.size() && column >= 0 &&
           column < 3;
}
} // namespace

in_memory_window& fake_window() {
    return window;
}
void reset_fake_window() {
    window = in_memory_window{};
}

void control_set_disabled(control_id control, bool disabled) {
    record(std::string("set_disabled ") + (disabled ? "true" : "false"));
    window.disabled[static_cast<std::size_t>(control)] = disabled;
}

std::string control_get_text(control_id control) {
    record("get_text");
    return window.text(control);
}

void control_set_text(control_id control, std::string_view text) {
    record("set_text");
    window.text(control) = std::string(text);
}

bool control_is_ticked(control_id /*control*/) {
    return window.ticked;
}

void list_delete_all() {
    record("list_delete_all");
    window.rows.clear();
    window.selected = -1;
}

std::int32_t list_insert_item(std::string_view text) {
    window.rows.push_back({std::string(text), "", ""});
    return static_cast<std::int32_t>(window.rows.size() - 1);
}

void list_set_item_text(std::int32_t row, std::int32_t column, std::string_view text) {
    if (cell_exists(row, column)) {
        window.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    }
}

std::int32_t list_item_count() {
    return static_cast<std::int32_t>(window.rows.size());
}

std::string list_get_item_text(std::int32_t row, std::int32_t column) {
    return cell_exists(row, column)
               ? window.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
               : std::string();
}

std::int32_t list_selected_item() {
    return window.selected;
}

bool clipboard_set_text(std::string_view text) {
    if (window.clipboard_locked) {
        return false;
    }
    window.clipboard = std::string(text.substr(0, std::min(text.find('\0'), text.size())));
    return true;
}

std::string clipboard_get_text() {
    return window.clipboard_locked ? std::string() : window.clipboard.value_or("");
}

std::int32_t message_box(std::string_view text, std::int32_t style,
                         std::optional<std::string_view> caption) {
    if ((style & MESSAGE_BOX_SYSTEM_MODAL) == 0) {
        style |= MESSAGE_BOX_TASK_MODAL;
    }
    window.messages.push_back(
        {std::string(text), style, std::string(caption.value_or(MESSAGE_BOX_CAPTION))});
    return 1;
}
