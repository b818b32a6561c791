// The real Win32 main window, built in this process under Wine on an X display: what it
// looks like as created, its controls, its colours and the operations of the handlers.
#include "app/main_window_win32.h"

#include "actions/clipboard.h"
#include "app/main_window.h"
#include "app/result_list/result_list.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using enum control_id;

HWND hwnd(control_id control) {
    return static_cast<HWND>(control_window(control));
}

// Runs whatever the window has queued, through the program's own key examination.
void pump(DWORD for_milliseconds = 0) {
    const DWORD until = GetTickCount() + for_milliseconds;
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT || main_window_examine_key(&message)) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (for_milliseconds > 0) {
            Sleep(10);
        }
    } while (GetTickCount() < until);
}

RECT client_rect_in_parent(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string class_of(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string text_of(HWND window) {
    char text[256] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

COLORREF face() {
    return GetSysColor(COLOR_BTNFACE);
}

class main_window_test : public testing::Test {
  protected:
    void SetUp() override {
        window = static_cast<HWND>(main_window_create());
        ASSERT_NE(window, nullptr);
        // The window manager confirms the activation asynchronously.
        for (int i = 0; i < 200 && GetForegroundWindow() != window; ++i) {
            pump(10);
        }
        pump(50);
    }
    void TearDown() override {
        if (IsWindow(window)) {
            DestroyWindow(window);
        }
        pump();
    }
    HWND window = nullptr;
};

TEST_F(main_window_test, is_titled_sized_and_centred_on_the_primary_screen) {
    EXPECT_EQ(text_of(window), "Sonvale-Brackwen");
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 337);
    EXPECT_EQ(outer.bottom - outer.top, 443);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 337) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 443) / 2);
}

TEST_F(main_window_test, has_a_fixed_frame_with_minimise_and_close_but_no_maximise) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE),
              DWORD{WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE});
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD | WS_POPUP), 0U);
    const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    EXPECT_EQ(ex_style & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), 0U);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "its own task-bar button";
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(hwnd(标签1), WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(main_window_test,
       window_and_label_classes_redraw_deliver_double_clicks_and_paint_themselves) {
    for (HWND of : {window, hwnd(标签1)}) {
        SCOPED_TRACE(class_of(of));
        EXPECT_EQ(GetClassLongPtrA(of, GCL_STYLE), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
        EXPECT_EQ(GetClassLongPtrA(of, GCLP_HBRBACKGROUND), 0);
        EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(of, GCLP_HCURSOR)),
                  LoadCursorA(nullptr, IDC_ARROW));
    }
    EXPECT_EQ(class_of(window), MAIN_WINDOW_CLASS_NAME);
}

struct expected_control {
    control_id id;
    const char* class_name;
    RECT place;
    const char* text;
    DWORD style;    // exactly, apart from WS_VISIBLE
    DWORD ex_style; // at least
};

// clang-format off
const expected_control EXPECTED_CONTROLS[] = {
    {标签1, LABEL_CLASS_NAME, {8, 16, 64, 40}, "QQ号码：", WS_CHILD | WS_CLIPSIBLINGS, 0},
    {编辑框_QQ号码, "Edit", {56, 16, 168, 40}, "",
     WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {按钮_搜索, "Button", {176, 16, 248, 40}, "点我搜索",
     WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0},
    {超级列表框1, "SysListView32", {0, 104, 376, 416}, "",
     WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL,
     WS_EX_CLIENTEDGE},
    {标签_状态, LABEL_CLASS_NAME, {16, 72, 320, 96}, "", WS_CHILD | WS_CLIPSIBLINGS, 0},
    {按钮_清空号码, "Button", {256, 16, 328, 40}, "清空号码",
     WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0},
    {标签2, LABEL_CLASS_NAME, {8, 40, 240, 72}, "提示：双击列表可 复制歌曲地址...",
     WS_CHILD | WS_CLIPSIBLINGS, 0},
    {选择框1, "Button", {256, 48, 328, 64}, "提示地址",
     WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE, 0},
};
// clang-format on

TEST_F(main_window_test, creates_the_eight_controls_with_their_places_texts_and_styles) {
    for (const expected_control& expected : EXPECTED_CONTROLS) {
        HWND control = hwnd(expected.id);
        SCOPED_TRACE(description_of(expected.id).name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), window);
        EXPECT_STREQ(class_of(control).c_str(), expected.class_name);
        const RECT place = client_rect_in_parent(control);
        EXPECT_EQ(place.left, expected.place.left);
        EXPECT_EQ(place.top, expected.place.top);
        EXPECT_EQ(place.right, expected.place.right);
        EXPECT_EQ(place.bottom, expected.place.bottom);
        EXPECT_EQ(text_of(control), expected.text);
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
        EXPECT_EQ(style & ~DWORD{WS_VISIBLE}, expected.style) << std::hex << style;
        EXPECT_TRUE(style & WS_VISIBLE);
        EXPECT_TRUE(IsWindowEnabled(control));
        const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_EXSTYLE));
        EXPECT_EQ(ex_style & expected.ex_style, expected.ex_style) << std::hex << ex_style;
        EXPECT_EQ(ex_style & DWORD{WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME}, 0U);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)),
                  GetStockObject(DEFAULT_GUI_FONT));
    }
    EXPECT_EQ(SendMessageA(hwnd(编辑框_QQ号码), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE)
        << "the system's maximum";
    EXPECT_EQ(SendMessageA(hwnd(按钮_搜索), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0);
}

TEST_F(main_window_test, stacks_later_controls_on_top) {
    std::vector<LONG_PTR> from_top;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        from_top.push_back(GetWindowLongPtrA(child, GWLP_ID) - FIRST_CONTROL_ID);
    }
    EXPECT_EQ(from_top, (std::vector<LONG_PTR>{7, 6, 5, 4, 3, 2, 1, 0}));
    // Where the edit box overlaps 标签1, a click lands on the edit box.
    POINT overlap{60, 28};
    ClientToScreen(window, &overlap);
    EXPECT_EQ(WindowFromPoint(overlap), hwnd(编辑框_QQ号码));
}

TEST_F(main_window_test, starts_with_the_focus_in_the_empty_edit_box_and_the_box_ticked) {
    EXPECT_EQ(GetFocus(), hwnd(编辑框_QQ号码));
    EXPECT_EQ(SendMessageA(hwnd(选择框1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(control_is_ticked(选择框1));
    EXPECT_EQ(control_get_text(编辑框_QQ号码), "");
    EXPECT_EQ(control_get_text(标签_状态), "");
    EXPECT_EQ(list_item_count(), 0);
    EXPECT_EQ(list_selected_item(), -1);
}

struct colour_case {
    control_id id;
    UINT message;
    COLORREF text;
    COLORREF background; // also the brush's colour
};

TEST_F(main_window_test, gives_the_edit_box_and_the_check_box_their_colours) {
    const colour_case cases[] = {
        {编辑框_QQ号码, WM_CTLCOLOREDIT, RGB(0, 0, 0), RGB(255, 255, 255)},
        {选择框1, WM_CTLCOLORSTATIC, RGB(0, 0, 0), face()},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const colour_case& c : cases) {
        SCOPED_TRACE(description_of(c.id).name);
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
            window, c.message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd(c.id))));
        EXPECT_EQ(GetTextColor(dc), c.text);
        EXPECT_EQ(GetBkColor(dc), c.background);
        LOGBRUSH logical{};
        ASSERT_NE(GetObjectA(brush, sizeof logical, &logical), 0);
        EXPECT_EQ(logical.lbColor, c.background);
    }
    DeleteDC(dc);
}

// The label drawn into a bitmap of its own size, one COLORREF per pixel.
std::vector<COLORREF> render(HWND label, int& width, int& height) {
    RECT area;
    GetClientRect(label, &area);
    width = area.right;
    height = area.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    std::vector<COLORREF> pixels;
    const auto* raw = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
        pixels.push_back(RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

TEST_F(main_window_test, labels_draw_one_left_aligned_vertically_centred_line_in_their_colour) {
    control_set_text(标签_状态, "一共搜索到 [6]首歌曲...");
    const colour_case cases[] = {
        {标签1, 0, RGB(0, 0, 0), face()},
        {标签_状态, 0, RGB(0, 128, 0), face()},
        {标签2, 0, RGB(0, 0, 255), face()},
    };
    for (const colour_case& c : cases) {
        SCOPED_TRACE(description_of(c.id).name);
        int width = 0;
        int height = 0;
        const std::vector<COLORREF> pixels = render(hwnd(c.id), width, height);
        int left = width, right = -1, top = height, bottom = -1;
        bool text_colour_seen = false;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF pixel = pixels[static_cast<std::size_t>(y * width + x)];
                if (pixel == c.background) {
                    continue;
                }
                text_colour_seen = text_colour_seen || pixel == c.text;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        EXPECT_EQ(pixels.front(), c.background) << "the face colour behind the text";
        EXPECT_EQ(pixels.back(), c.background);
        ASSERT_GE(right, 0) << "no text drawn";
        EXPECT_TRUE(text_colour_seen);
        EXPECT_LE(left, 2) << "left-aligned";
        EXPECT_LE(bottom - top + 1, 16) << "one line";
        EXPECT_LE(std::abs((top + bottom + 1) - height), 3) << "centred vertically";
    }
}

TEST_F(main_window_test, result_list_has_its_settings_and_columns) {
    HWND list = hwnd(超级列表框1);
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
              LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
    EXPECT_EQ(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(SendMessageA(list, LVM_GETBKCOLOR, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
    EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & WS_BORDER, 0);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(IsWindowVisible(header));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_TRUE(GetWindowLongPtrA(header, GWL_STYLE) & HDS_BUTTONS);

    const struct {
        const char* title;
        int width;
    } columns[] = {{"ID", 50}, {"歌曲名称", 180}, {"歌曲地址", 100}};
    for (int i = 0; i < 3; ++i) {
        char title[64] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.pszText = title;
        column.cchTextMax = sizeof title;
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(title, columns[i].title);
        EXPECT_EQ(column.cx, columns[i].width);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
        EXPECT_EQ(column.iSubItem, i);
    }
}

TEST_F(main_window_test, list_operations_append_read_replace_and_empty_rows) {
    EXPECT_EQ(list_get_item_text(0, 2), "") << "a cell of an empty list";
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(list_insert_item(std::to_string(row + 1)), row);
        list_set_item_text(row, 1, "名称" + std::to_string(row));
        list_set_item_text(row, 2, "http://x/" + std::to_string(row));
    }
    EXPECT_EQ(list_insert_item("zzz"), 4) << "appended whatever its text: no sorting";
    EXPECT_EQ(list_item_count(), 5);
    EXPECT_EQ(list_get_item_text(3, 0), "4");
    EXPECT_EQ(list_get_item_text(3, 1), "名称3");
    EXPECT_EQ(list_get_item_text(3, 2), "http://x/3");
    EXPECT_EQ(list_get_item_text(4, 2), "");
    EXPECT_EQ(list_get_item_text(9, 0), "") << "a row that does not exist";
    EXPECT_EQ(list_get_item_text(0, 7), "") << "a column that does not exist";
    list_set_item_text(2, 0, "ordinal");
    EXPECT_EQ(list_get_item_text(2, 0), "ordinal");
    EXPECT_EQ(list_get_item_text(2, 1), "名称2");

    EXPECT_EQ(list_selected_item(), -1);
    LVITEMA select{};
    select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    select.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(hwnd(超级列表框1), LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&select));
    EXPECT_EQ(list_selected_item(), 3);

    list_delete_all();
    EXPECT_EQ(list_item_count(), 0);
    EXPECT_EQ(list_selected_item(), -1);
    pump();
}

TEST_F(main_window_test, reads_long_cells_whole) {
    const std::string lengths_to_try[] = {
        std::string(510, 'a'),
        std::string(511, 'b'),
        std::string(512, 'c'),
        std::string(3000, 'd'),
        std::string(1, 'x') + std::string(255 * 2, '\0'),
    };
    std::string chinese;
    while (chinese.size() < 1400) {
        chinese += "歌曲";
    }
    list_insert_item("1");
    for (const std::string& text : {lengths_to_try[0], lengths_to_try[1], lengths_to_try[2],
                                    lengths_to_try[3], chinese, chinese.substr(0, 510) + "a"}) {
        list_set_item_text(0, 2, text);
        EXPECT_EQ(list_get_item_text(0, 2), text) << text.size() << " bytes";
    }
    list_delete_all();
    pump();
}

// Whether any pixel of the list's first row differs from the list's white background.
bool first_row_is_drawn(HWND list) {
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    if (!SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row))) {
        return false;
    }
    UpdateWindow(list);
    HDC dc = GetDC(list);
    bool drawn = false;
    for (int x = row.left + 2; x < row.left + 40 && !drawn; ++x) {
        for (int y = row.top + 1; y < row.bottom - 1 && !drawn; ++y) {
            const COLORREF pixel = GetPixel(dc, x, y);
            drawn = pixel != RGB(255, 255, 255) && pixel != CLR_INVALID;
        }
    }
    ReleaseDC(list, dc);
    return drawn;
}

TEST_F(main_window_test, a_fill_is_drawn_once_control_returns_to_the_message_loop) {
    HWND list = hwnd(超级列表框1);
    list_delete_all();
    for (int row = 0; row < 3; ++row) {
        list_set_item_text(list_insert_item("8888"), 1, "name");
    }
    pump(100);
    EXPECT_TRUE(first_row_is_drawn(list));
    list_delete_all();
    pump(100);
    EXPECT_FALSE(first_row_is_drawn(list));
}

TEST_F(main_window_test, control_operations_act_on_the_real_controls) {
    control_set_disabled(按钮_搜索, true);
    EXPECT_FALSE(IsWindowEnabled(hwnd(按钮_搜索)));
    control_set_disabled(按钮_搜索, false);
    EXPECT_TRUE(IsWindowEnabled(hwnd(按钮_搜索)));

    control_set_text(编辑框_QQ号码, "12345 号码");
    EXPECT_EQ(text_of(hwnd(编辑框_QQ号码)), "12345 号码");
    EXPECT_EQ(control_get_text(编辑框_QQ号码), "12345 号码");
    control_set_text(标签_状态, "状态");
    EXPECT_EQ(text_of(hwnd(标签_状态)), "状态");

    SendMessageA(hwnd(选择框1), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_FALSE(control_is_ticked(选择框1));
}

TEST_F(main_window_test, disabling_the_focused_button_gives_the_focus_back_when_it_works_again) {
    SetFocus(hwnd(按钮_搜索));
    control_set_disabled(按钮_搜索, true);
    control_set_disabled(按钮_搜索, false);
    EXPECT_EQ(GetFocus(), hwnd(按钮_搜索));
}

TEST_F(main_window_test, the_clear_button_empties_the_number_and_nothing_else) {
    list_insert_item("1");
    control_set_text(标签_状态, "一共搜索到 [1]首歌曲...");
    for (const char* number : {"10001", ""}) {
        control_set_text(编辑框_QQ号码, number);
        SendMessageA(hwnd(按钮_清空号码), BM_CLICK, 0, 0);
        pump();
        EXPECT_EQ(control_get_text(编辑框_QQ号码), "");
    }
    EXPECT_EQ(list_item_count(), 1);
    EXPECT_EQ(control_get_text(标签_状态), "一共搜索到 [1]首歌曲...");
    EXPECT_TRUE(control_is_ticked(选择框1));
    list_delete_all();
    pump();
}

TEST(clipboard_win32, holds_cf_text_in_a_block_of_length_plus_one) {
    const std::string texts[] = {"http://x/1.mp3", "", "http://x/歌曲.mp3"};
    for (const std::string& text : texts) {
        ASSERT_TRUE(clipboard_set_text(text));
        EXPECT_EQ(clipboard_get_text(), text);
        ASSERT_TRUE(OpenClipboard(nullptr));
        HANDLE data = GetClipboardData(CF_TEXT);
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(GlobalSize(data), text.size() + 1);
        CloseClipboard();
    }
    EXPECT_TRUE(clipboard_set_text(std::string("cut\0here", 8)));
    EXPECT_EQ(clipboard_get_text(), "cut");
}

TEST(clipboard_win32, reads_nothing_from_an_emptied_clipboard) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(clipboard_get_text(), "");
}

} // namespace
