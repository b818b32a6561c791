// The clipboard and the message box of the Windows build: CF_TEXT and MessageBoxA.
#include "actions/clipboard.h"

#include <windows.h>

#include <cstring>

bool clipboard_set_text(std::string_view text) {
    const std::string_view bytes = text.substr(0, std::min(text.find('\0'), text.size()));
    if (OpenClipboard(nullptr) == FALSE) {
        return false;
    }
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + 1);
    if (block == nullptr) {
        CloseClipboard();
        return false;
    }
    if (auto* memory = static_cast<char*>(GlobalLock(block))) {
        std::memcpy(memory, bytes.data(), bytes.size());
        memory[bytes.size()] = '\0';
        GlobalUnlock(block);
    }
    // From here on the block is the system's, whether or not it took it.
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    return true;
}

std::string clipboard_get_text() {
    if (OpenClipboard(nullptr) == FALSE) {
        return {};
    }
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* memory = static_cast<const char*>(GlobalLock(data))) {
            // Never past the block, even if a careless writer left out the NUL.
            text.assign(memory, strnlen(memory, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::int32_t message_box(std::string_view text, std::int32_t style,
                         std::optional<std::string_view> caption) {
    if ((style & MESSAGE_BOX_SYSTEM_MODAL) == 0) {
        style |= MESSAGE_BOX_TASK_MODAL;
    }
    const std::string box_text(text);
    const std::string box_caption(caption.value_or(MESSAGE_BOX_CAPTION));
    return MessageBoxA(nullptr, box_text.c_str(), box_caption.c_str(), static_cast<UINT>(style));
}
