#include "app/result_list/result_list_win32.h"

#include "app/result_list/result_list.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

namespace {

HWND list_window = nullptr;
WNDPROC list_default_proc = nullptr;
double_click_handler list_double_clicked = nullptr;

// Posted to the list by list_delete_all; see there.
constexpr UINT RESUME_REDRAW = WM_APP + 1;
bool redraw_suspended = false;

LRESULT send(UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageA(list_window, message, wparam, lparam);
}

std::int32_t modifier_key_state() {
    std::int32_t state = 0;
    if (GetKeyState(VK_CONTROL) < 0) {
        state |= KEY_STATE_CTRL;
    }
    if (GetKeyState(VK_SHIFT) < 0) {
        state |= KEY_STATE_SHIFT;
    }
    if (GetKeyState(VK_MENU) < 0) {
        state |= KEY_STATE_ALT;
    }
    return state;
}

LRESULT CALLBACK list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_LBUTTONDBLCLK:
        // The first click of the pair has already selected the row under the pointer,
        // so the handler sees it as the selected row. The list still gets the message.
        if (list_double_clicked != nullptr) {
            list_double_clicked(static_cast<std::int32_t>(LOWORD(lparam)),
                                static_cast<std::int32_t>(HIWORD(lparam)), modifier_key_state());
        }
        break;
    case RESUME_REDRAW:
        redraw_suspended = false;
        CallWindowProcA(list_default_proc, window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_NCDESTROY:
        list_window = nullptr;
        break;
    default:
        break;
    }
    return CallWindowProcA(list_default_proc, window, message, wparam, lparam);
}

int column_format(const list_column& column) {
    int format = LVCFMT_LEFT;
    if (column.alignment == column_alignment::centre) {
        format = LVCFMT_CENTER;
    } else if (column.alignment == column_alignment::right) {
        format = LVCFMT_RIGHT;
    }
    if (column.image >= 0) {
        format |= LVCFMT_IMAGE;
    }
    if (column.image_on_right) {
        format |= LVCFMT_BITMAP_ON_RIGHT;
    }
    return format;
}

COLORREF colour_ref(const std::optional<rgb_colour>& colour, COLORREF otherwise) {
    return colour ? RGB(colour->red, colour->green, colour->blue) : otherwise;
}

} // namespace

void* result_list_create(void* parent, const control_description& description, int id) {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);

    const DWORD style =
        WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL;
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", style, description.left, description.top,
                                description.width, description.height, static_cast<HWND>(parent),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    if (list == nullptr) {
        return nullptr;
    }
    list_window = list;
    list_double_clicked = description.on_double_clicked;
    list_default_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list_proc)));

    // Mask 0 means "all": every extended style not named here is off.
    send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
         LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
    send(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    const COLORREF text = colour_ref(description.text_colour, RGB(0, 0, 0));
    const COLORREF background = colour_ref(description.background_colour, RGB(255, 255, 255));
    send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
    send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
    send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));

    SetWindowLongPtrA(list, GWL_STYLE, GetWindowLongPtrA(list, GWL_STYLE) & ~LONG_PTR{WS_BORDER});
    SetWindowLongPtrA(list, GWL_EXSTYLE,
                      GetWindowLongPtrA(list, GWL_EXSTYLE) | LONG_PTR{WS_EX_CLIENTEDGE});
    SetWindowPos(list, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    int index = 0;
    for (const list_column& column : RESULT_LIST_COLUMNS) {
        LVCOLUMNA definition{};
        definition.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        definition.fmt = column_format(column);
        definition.cx = column.width;
        definition.pszText = const_cast<char*>(column.title);
        definition.iSubItem = index;
        if (column.image >= 0) {
            definition.mask |= LVCF_IMAGE;
            definition.iImage = column.image;
        }
        send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&definition));
        ++index;
    }
    return list;
}

void list_delete_all() {
    send(LVM_DELETEALLITEMS, 0, 0);
    // Every row inserted while the list redraws costs it a layout pass, which turns a few
    // thousand rows into many seconds. So the list stops drawing here, when a fill starts,
    // and draws again from a posted message: that arrives once the handler that fills the
    // list has returned to the message loop.
    if (!redraw_suspended && list_window != nullptr) {
        redraw_suspended = true;
        send(WM_SETREDRAW, FALSE, 0);
        PostMessageA(list_window, RESUME_REDRAW, 0, 0);
    }
}

std::int32_t list_insert_item(std::string_view text) {
    const std::string item_text(text);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE | LVIF_PARAM | LVIF_INDENT;
    item.iItem = static_cast<int>(send(LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(item_text.c_str());
    item.iImage = -1;
    return static_cast<std::int32_t>(send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void list_set_item_text(std::int32_t row, std::int32_t column, std::string_view text) {
    const std::string cell_text(text);
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(cell_text.c_str());
    send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::int32_t list_item_count() {
    return static_cast<std::int32_t>(send(LVM_GETITEMCOUNT, 0, 0));
}

std::string list_get_item_text(std::int32_t row, std::int32_t column) {
    if (row < 0) {
        return {};
    }
    std::vector<char> buffer(512);
    for (;;) {
        buffer[0] = '\0';
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<std::size_t>(
            send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        // A text that fills the buffer may have been cut; only a shorter one is whole.
        if (length < buffer.size() - 1) {
            return std::string(buffer.data(), length);
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

std::int32_t list_selected_item() {
    return static_cast<std::int32_t>(
        send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}
