// window_probe.exe: reads the running Sonvale-Brackwen window from another process, the way
// outside automation does: WM_GETTEXT, button and list-view messages, the list's rows through
// memory placed in the program's own process, and the thread's focus.
//   window_probe wait | focus | text N | enabled N | checked | rows | selected
//                | centre N | window-rect | row-centre R | message-box | clipboard
//                | other-window | close-other-window | terminate
// N is a control's place in the creation order (0-7), R a row. Output is raw CP936 bytes.
#include "app/main_window_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

HWND find_main_window() {
    return FindWindowA(MAIN_WINDOW_CLASS_NAME, nullptr);
}

HWND control(HWND main, int index) {
    return GetDlgItem(main, FIRST_CONTROL_ID + index);
}

void write(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string text_of(HWND window) {
    std::vector<char> text(4096);
    const LRESULT length =
        SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data(), static_cast<std::size_t>(length));
}

// Memory in the list's process, where the list-view can read and write it.
class remote_memory {
  public:
    remote_memory(HWND window, std::size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~remote_memory() {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    remote_memory(const remote_memory&) = delete;
    remote_memory& operator=(const remote_memory&) = delete;

    char* address() const { return static_cast<char*>(address_); }
    void put(std::size_t offset, const void* data, std::size_t size) const {
        WriteProcessMemory(process_, address() + offset, data, size, nullptr);
    }
    std::vector<char> get(std::size_t offset, std::size_t size) const {
        std::vector<char> data(size);
        ReadProcessMemory(process_, address() + offset, data.data(), size, nullptr);
        return data;
    }

  private:
    std::size_t size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

std::string cell_text(HWND list, const remote_memory& memory, int row, int column) {
    constexpr std::size_t TEXT_SIZE = 8192;
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = memory.address() + sizeof(LVITEMA);
    item.cchTextMax = TEXT_SIZE;
    memory.put(0, &item, sizeof item);
    const LRESULT length = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                        reinterpret_cast<LPARAM>(memory.address()));
    const std::vector<char> text = memory.get(sizeof(LVITEMA), TEXT_SIZE);
    return std::string(text.data(), static_cast<std::size_t>(length));
}

HWND focused_window(HWND main) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return info.hwndFocus;
}

BOOL CALLBACK find_message_box(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    DWORD main_pid = 0;
    GetWindowThreadProcessId(find_main_window(), &main_pid);
    if (std::string(name) == "#32770" && pid == main_pid && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

POINT centre_of(HWND window, RECT rect) {
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(window, &centre);
    return centre;
}

void print_point(POINT point) {
    write(std::to_string(point.x) + " " + std::to_string(point.y));
}

LRESULT CALLBACK other_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

// A plain window of another process, for the main window to lose the activation to.
int run_other_window() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = other_window_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    window_class.lpszClassName = "ProbeOtherWindow";
    RegisterClassA(&window_class);
    HWND window =
        CreateWindowExA(0, "ProbeOtherWindow", "Other window", WS_OVERLAPPEDWINDOW, 20, 20, 200,
                        120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string command = argc > 1 ? argv[1] : "";
    const int argument = argc > 2 ? std::atoi(argv[2]) : 0;
    if (command == "other-window") {
        return run_other_window();
    }
    if (command == "close-other-window") {
        PostMessageA(FindWindowA("ProbeOtherWindow", nullptr), WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == "clipboard") {
        if (!OpenClipboard(nullptr)) {
            return 2;
        }
        HANDLE data = GetClipboardData(CF_TEXT);
        if (data != nullptr) {
            write(static_cast<const char*>(GlobalLock(data)));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return data != nullptr ? 0 : 1;
    }

    HWND main = find_main_window();
    if (command == "wait") {
        for (int i = 0; i < 300 && (main == nullptr || !IsWindowVisible(main)); ++i) {
            Sleep(50);
            main = find_main_window();
        }
        DWORD_PTR ignored = 0;
        if (main != nullptr) {
            SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
        }
        write(main != nullptr ? "ready" : "absent");
        return main != nullptr ? 0 : 1;
    }
    if (main == nullptr) {
        write("absent");
        return 1;
    }
    HWND list = control(main, 3);

    if (command == "terminate") {
        DWORD pid = 0;
        GetWindowThreadProcessId(main, &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
        TerminateProcess(process, 1);
        CloseHandle(process);
    } else if (command == "focus") {
        HWND focus = focused_window(main);
        const int id = focus != nullptr ? GetDlgCtrlID(focus) - FIRST_CONTROL_ID : -1;
        write(focus == nullptr ? "none" : GetParent(focus) == main ? std::to_string(id) : "other");
    } else if (command == "text") {
        write(text_of(control(main, argument)));
    } else if (command == "enabled") {
        write(IsWindowEnabled(argument < 0 ? main : control(main, argument)) ? "1" : "0");
    } else if (command == "checked") {
        write(std::to_string(SendMessageA(control(main, 7), BM_GETCHECK, 0, 0)));
    } else if (command == "rows") {
        const remote_memory memory(list, sizeof(LVITEMA) + 8192);
        const auto count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            write(cell_text(list, memory, row, 0) + "\t" + cell_text(list, memory, row, 1) + "\t" +
                  cell_text(list, memory, row, 2) + "\n");
        }
    } else if (command == "selected") {
        write(std::to_string(
            SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
    } else if (command == "centre") {
        HWND window = control(main, argument);
        RECT rect;
        GetClientRect(window, &rect);
        print_point(centre_of(window, rect));
    } else if (command == "window-rect") {
        RECT rect;
        GetWindowRect(main, &rect);
        write(std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
              std::to_string(rect.right) + " " + std::to_string(rect.bottom));
    } else if (command == "row-centre") {
        const remote_memory memory(list, sizeof(RECT));
        RECT rect{LVIR_LABEL, 0, 0, 0};
        memory.put(0, &rect, sizeof rect);
        if (!SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(argument),
                          reinterpret_cast<LPARAM>(memory.address()))) {
            return 1;
        }
        const std::vector<char> got = memory.get(0, sizeof rect);
        std::memcpy(&rect, got.data(), sizeof rect);
        print_point(centre_of(list, rect));
    } else if (command == "message-box") {
        HWND box = nullptr;
        EnumWindows(find_message_box, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr) {
            write("none");
            return 1;
        }
        int buttons = 0;
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char name[16] = {};
            GetClassNameA(child, name, sizeof name);
            buttons += std::string(name) == "Button" && IsWindowVisible(child) ? 1 : 0;
        }
        HWND icon = GetDlgItem(box, 0x0440);
        const bool has_icon =
            icon != nullptr && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
        write(text_of(box) + "\n" + text_of(GetDlgItem(box, 0xFFFF)) + "\n" +
              "owner=" + (GetWindow(box, GW_OWNER) != nullptr ? "1" : "0") +
              " buttons=" + std::to_string(buttons) + " icon=" + (has_icon ? "1" : "0") +
              " main-enabled=" + (IsWindowEnabled(main) ? "1" : "0"));
    } else {
        std::fprintf(stderr, "unknown command: %s\n", command.c_str());
        return 2;
    }
    return 0;
}
