// The clipboard and the message box, as the link copy needs them. Texts are CP936 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr char MESSAGE_BOX_CAPTION[] = "信息：";

// Same values as the Windows message-box styles, so that both builds read them alike.
inline constexpr std::int32_t MESSAGE_BOX_OK = 0x0000;
inline constexpr std::int32_t MESSAGE_BOX_ICON_ERROR = 0x0010;
inline constexpr std::int32_t MESSAGE_BOX_SYSTEM_MODAL = 0x1000;
inline constexpr std::int32_t MESSAGE_BOX_TASK_MODAL = 0x2000;

// Replaces the clipboard's whole content with `text` (up to its first NUL).
// True once the clipboard could be opened, whether or not it took the data.
bool clipboard_set_text(std::string_view text);

// The clipboard's text up to its first NUL; empty when it holds none or cannot be opened.
std::string clipboard_get_text();

// A modal box with one OK button; the caption defaults to MESSAGE_BOX_CAPTION.
// Unless the style asks for system-modal, the box is task-modal. Returns the button pressed.
std::int32_t message_box(std::string_view text, std::int32_t style,
                         std::optional<std::string_view> caption = std::nullopt);
