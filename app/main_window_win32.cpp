#include "app/main_window_win32.h"

#include "app/main_window.h"
#include "app/resource_ids_win32.h"
#include "app/result_list/result_list_win32.h"

#include <windows.h>

#include <float.h>
#include <ole2.h>

#include <array>
#include <cstdlib>
#include <string>

namespace {

HWND main_hwnd = nullptr;
std::array<HWND, CONTROL_COUNT> control_hwnds{};
// Brushes of the controls with a background colour of their own, made once per window.
std::array<HBRUSH, CONTROL_COUNT> control_brushes{};
// The control that had the focus when the window was last deactivated.
HWND last_focus = nullptr;
// The control that lost the focus because it was disabled while it had it.
HWND focus_lost_to_disabling = nullptr;

// Extra bytes of a label window.
constexpr int LABEL_COLOUR_SLOT = 0;
constexpr int LABEL_FONT_SLOT = static_cast<int>(sizeof(LONG_PTR));

struct kind_settings {
    const char* class_name;
    DWORD style;
    DWORD ex_style;
};

// The Win32 form of each kind of control; places, texts and colours come from the table.
kind_settings settings_of(control_kind kind) {
    constexpr DWORD CHILD = WS_CHILD | WS_CLIPSIBLINGS;
    switch (kind) {
    case control_kind::label:
        return {LABEL_CLASS_NAME, CHILD, 0};
    case control_kind::edit_box:
        return {"EDIT", CHILD | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case control_kind::push_button:
        return {"BUTTON",
                CHILD | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
    case control_kind::check_box:
        return {"BUTTON",
                CHILD | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE, 0};
    case control_kind::result_list:
        break; // made by result_list_create, which knows its settings
    }
    return {"", 0, 0};
}

COLORREF colour_ref(rgb_colour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

HFONT default_gui_font() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

int index_of(HWND window) {
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        HWND control = control_hwnds[static_cast<std::size_t>(i)];
        if (control != nullptr && (control == window || IsChild(control, window))) {
            return i;
        }
    }
    return -1;
}

HWND hwnd_of(control_id control) {
    return control_hwnds[static_cast<std::size_t>(control)];
}

std::string window_text(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

void fill_with_face_colour(HDC dc, const RECT& area) {
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &area, face);
    DeleteObject(face);
}

// --- labels ------------------------------------------------------------------------------

void paint_label(HWND label, HDC dc) {
    RECT area;
    GetClientRect(label, &area);
    // The face colour first, so that the label looks like part of the window.
    fill_with_face_colour(dc, area);
    auto font = reinterpret_cast<HFONT>(GetWindowLongPtrA(label, LABEL_FONT_SLOT));
    HGDIOBJ old_font = SelectObject(dc, font != nullptr ? font : default_gui_font());
    SetTextColor(dc, static_cast<COLORREF>(GetWindowLongPtrA(label, LABEL_COLOUR_SLOT)));
    SetBkMode(dc, TRANSPARENT);
    const std::string text = window_text(label);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, old_font);
}

LRESULT CALLBACK label_proc(HWND label, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(label, &paint);
        paint_label(label, dc);
        EndPaint(label, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint_label(label, reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_SETTEXT: {
        // The text is kept by the system, so WM_GETTEXT from anywhere reads it.
        const LRESULT result = DefWindowProcA(label, message, wparam, lparam);
        InvalidateRect(label, nullptr, TRUE);
        return result;
    }
    case WM_SETFONT:
        SetWindowLongPtrA(label, LABEL_FONT_SLOT, static_cast<LONG_PTR>(wparam));
        if (LOWORD(lparam) != 0) {
            InvalidateRect(label, nullptr, TRUE);
        }
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrA(label, LABEL_FONT_SLOT);
    default:
        return DefWindowProcA(label, message, wparam, lparam);
    }
}

// --- focus and keys ----------------------------------------------------------------------

bool is_usable(control_id control) {
    HWND window = hwnd_of(control);
    return window != nullptr && IsWindowVisible(window) && IsWindowEnabled(window);
}

std::optional<control_id> focused_control() {
    const int index = index_of(GetFocus());
    if (index < 0) {
        return std::nullopt;
    }
    return static_cast<control_id>(index);
}

void move_focus_along_ring(bool backwards) {
    if (const auto next = next_on_tab_ring(focused_control(), backwards, is_usable)) {
        SetFocus(hwnd_of(*next));
    }
}

void restore_focus() {
    if (last_focus != nullptr && IsWindow(last_focus) && IsWindowVisible(last_focus) &&
        IsWindowEnabled(last_focus)) {
        SetFocus(last_focus);
        return;
    }
    if (const auto first = first_on_tab_ring(is_usable)) {
        SetFocus(hwnd_of(*first));
    }
}

// --- the main window ---------------------------------------------------------------------

LRESULT colour_control(HWND control, HDC dc) {
    const int index = index_of(control);
    const control_description& description = MAIN_WINDOW_CONTROLS[static_cast<std::size_t>(index)];
    if (description.text_colour) {
        SetTextColor(dc, colour_ref(*description.text_colour));
    }
    if (description.background_colour) {
        SetBkColor(dc, colour_ref(*description.background_colour));
        return reinterpret_cast<LRESULT>(control_brushes[static_cast<std::size_t>(index)]);
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool has_own_colours(HWND control) {
    const int index = index_of(control);
    if (index < 0) {
        return false;
    }
    const control_description& description = MAIN_WINDOW_CONTROLS[static_cast<std::size_t>(index)];
    return description.text_colour || description.background_colour;
}

void destroy_state() {
    for (HBRUSH& brush : control_brushes) {
        if (brush != nullptr) {
            DeleteObject(brush);
            brush = nullptr;
        }
    }
    control_hwnds.fill(nullptr);
    last_focus = nullptr;
    focus_lost_to_disabling = nullptr;
    main_hwnd = nullptr;
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        fill_with_face_colour(dc, paint.rcPaint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND: {
        const int index = index_of(reinterpret_cast<HWND>(lparam));
        if (HIWORD(wparam) == BN_CLICKED && index >= 0) {
            if (const click_handler handler =
                    MAIN_WINDOW_CONTROLS[static_cast<std::size_t>(index)].on_clicked) {
                handler();
            }
            return 0;
        }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (has_own_colours(reinterpret_cast<HWND>(lparam))) {
            return colour_control(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam));
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wparam) == WA_INACTIVE) {
            const int index = index_of(GetFocus());
            if (index >= 0) {
                last_focus = control_hwnds[static_cast<std::size_t>(index)];
            }
        }
        break; // the default activation gives the window the focus, and WM_SETFOCUS passes it on
    case WM_SETFOCUS:
        restore_focus();
        return 0;
    case WM_DESTROY:
        destroy_state();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool register_classes() {
    WNDCLASSA existing;
    if (GetClassInfoA(instance(), MAIN_WINDOW_CLASS_NAME, &existing) != 0) {
        return true;
    }
    WNDCLASSA main_class{};
    main_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    main_class.lpfnWndProc = main_window_proc;
    main_class.hInstance = instance();
    main_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    main_class.lpszClassName = MAIN_WINDOW_CLASS_NAME; // no background brush: it paints itself

    WNDCLASSA label_class{};
    label_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    label_class.lpfnWndProc = label_proc;
    label_class.cbWndExtra = 2 * static_cast<int>(sizeof(LONG_PTR));
    label_class.hInstance = instance();
    label_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    label_class.lpszClassName = LABEL_CLASS_NAME;

    return RegisterClassA(&main_class) != 0 && RegisterClassA(&label_class) != 0;
}

HWND create_control(HWND parent, const control_description& description, int id) {
    if (description.kind == control_kind::result_list) {
        return static_cast<HWND>(result_list_create(parent, description, id));
    }
    const kind_settings settings = settings_of(description.kind);
    HWND control = CreateWindowExA(
        settings.ex_style, settings.class_name, description.text, settings.style, description.left,
        description.top, description.width, description.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
    if (control == nullptr) {
        return nullptr;
    }
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(default_gui_font()), FALSE);
    switch (description.kind) {
    case control_kind::label:
        SetWindowLongPtrA(
            control, LABEL_COLOUR_SLOT,
            static_cast<LONG_PTR>(colour_ref(description.text_colour.value_or(BLACK))));
        break;
    case control_kind::edit_box:
        SendMessageA(control, EM_LIMITTEXT, 0, 0);
        SendMessageA(control, EM_SETSEL, 0, 0);
        SendMessageA(control, EM_SCROLLCARET, 0, 0);
        break;
    case control_kind::check_box:
        SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
        break;
    default:
        break;
    }
    return control;
}

void set_program_folder_as_current_directory() {
    std::array<char, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    std::string folder(path.data(), length);
    const std::size_t separator = folder.find_last_of("\\/");
    if (separator != std::string::npos) {
        folder.resize(separator + 1);
        SetCurrentDirectoryA(folder.c_str());
    }
}

void reset_floating_point_unit() {
    // All exceptions masked and rounding to nearest. Extended precision does not apply on
    // x86-64: doubles are computed in SSE registers at their own precision, and the
    // runtime rejects a precision-control mask there, so it is not asked for.
    _fpreset();
    _control87(_MCW_EM | _RC_NEAR, _MCW_EM | _MCW_RC);
}

// The program has nothing to tidy at exit; the routine exists so that the exit path is the
// same as for any program that has.
void exit_routine() {}

} // namespace

void* main_window() {
    return main_hwnd;
}

void* control_window(control_id control) {
    return hwnd_of(control);
}

void* main_window_create() {
    if (!register_classes()) {
        return nullptr;
    }
    const int width = MAIN_WINDOW.outer_width;
    const int height = MAIN_WINDOW.outer_height;
    // Integer division, truncating toward zero, as the place has always been worked out.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window = CreateWindowExA(0, MAIN_WINDOW_CLASS_NAME, MAIN_WINDOW.title,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left,
                                  top, width, height, nullptr, nullptr, instance(), nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    main_hwnd = window;

    RECT outer;
    GetWindowRect(window, &outer);
    if (outer.right - outer.left != width || outer.bottom - outer.top != height) {
        MoveWindow(window, left, top, width, height, FALSE);
    }

    auto load_icon = [](int size_metric_x, int size_metric_y) {
        return reinterpret_cast<LPARAM>(LoadImageA(instance(), MAKEINTRESOURCEA(APP_ICON_ID),
                                                   IMAGE_ICON, GetSystemMetrics(size_metric_x),
                                                   GetSystemMetrics(size_metric_y), 0));
    };
    SendMessageA(window, WM_SETICON, ICON_BIG, load_icon(SM_CXICON, SM_CYICON));
    SendMessageA(window, WM_SETICON, ICON_SMALL, load_icon(SM_CXSMICON, SM_CYSMICON));
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(default_gui_font()), FALSE);

    for (std::size_t i = 0; i < MAIN_WINDOW_CONTROLS.size(); ++i) {
        const control_description& description = MAIN_WINDOW_CONTROLS[i];
        HWND control = create_control(window, description, FIRST_CONTROL_ID + static_cast<int>(i));
        if (control == nullptr) {
            DestroyWindow(window);
            return nullptr;
        }
        control_hwnds[i] = control;
        if (description.background_colour) {
            control_brushes[i] = CreateSolidBrush(colour_ref(*description.background_colour));
        }
    }

    // Later controls lie on top of earlier ones.
    constexpr UINT KEEP = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(control_hwnds.back(), HWND_TOP, 0, 0, 0, 0, KEEP);
    for (std::size_t i = control_hwnds.size() - 1; i-- > 0;) {
        SetWindowPos(control_hwnds[i], control_hwnds[i + 1], 0, 0, 0, 0, KEEP);
    }
    for (HWND control : control_hwnds) {
        ShowWindow(control, SW_SHOWNA);
    }
    // The window's created event has no handler bound, so nothing runs here.
    ShowWindow(window, SW_SHOW);
    return window;
}

bool main_window_examine_key(const void* message) {
    const MSG& key = *static_cast<const MSG*>(message);
    // With no control focused, key presses reach the active window as system keys.
    if ((key.message != WM_KEYDOWN && key.message != WM_SYSKEYDOWN) || main_hwnd == nullptr ||
        (key.hwnd != main_hwnd && IsChild(main_hwnd, key.hwnd) == FALSE)) {
        return false;
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    switch (key.wParam) {
    case VK_TAB:
        if (ctrl || alt) {
            return false;
        }
        move_focus_along_ring(shift);
        return true;
    case VK_ESCAPE:
        if (ctrl || shift || alt) {
            return false;
        }
        PostMessageA(main_hwnd, WM_CLOSE, 0, 0);
        return true;
    default:
        // Enter, Alt with a letter and F1 go on to the focused control: the window has no
        // default button, no access keys and no help.
        return false;
    }
}

int main_window_run_message_loop() {
    if (main_hwnd == nullptr) {
        return 0;
    }
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0 && got != -1) {
        if (main_window_examine_key(&message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}

int main_startup() {
    OleInitialize(nullptr);
    set_program_folder_as_current_directory();
    reset_floating_point_unit();
    std::atexit(exit_routine);
    if (main_window_create() == nullptr) {
        MessageBoxA(nullptr, "无法创建主窗口，程序将退出。", MAIN_WINDOW.title,
                    MB_OK | MB_ICONERROR);
        OleUninitialize();
        ExitProcess(static_cast<UINT>(-1));
    }
    main_window_run_message_loop();
    OleUninitialize();
    return 0;
}

// --- control operations ------------------------------------------------------------------

void control_set_disabled(control_id control, bool disabled) {
    HWND window = hwnd_of(control);
    if (disabled) {
        // Disabling the focused control leaves the window with no focus at all; remember
        // where it was, so that it can come back when the control works again.
        const bool had_focus = GetFocus() == window;
        EnableWindow(window, FALSE);
        if (had_focus) {
            focus_lost_to_disabling = window;
        }
        return;
    }
    EnableWindow(window, TRUE);
    if (focus_lost_to_disabling == window) {
        focus_lost_to_disabling = nullptr;
        if (GetFocus() == nullptr && GetActiveWindow() == main_hwnd) {
            SetFocus(window);
        }
    }
}

std::string control_get_text(control_id control) {
    return window_text(hwnd_of(control));
}

void control_set_text(control_id control, std::string_view text) {
    SetWindowTextA(hwnd_of(control), std::string(text).c_str());
}

bool control_is_ticked(control_id control) {
    return SendMessageA(hwnd_of(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
