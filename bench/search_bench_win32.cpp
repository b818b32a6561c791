// Search benchmark, run under Wine with http_proxy pointing at the sample server: the real
// main window in this process, 编辑框_QQ号码 set to NUMBER, then a click on 按钮_搜索 until the
// list has painted its rows.
//   search_bench_win32 NUMBER RUNS
#include "app/main_window_win32.h"
#include "app/result_list/result_list.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double now_ms() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void run_queued_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!main_window_examine_key(&message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const char* number = argc > 1 ? argv[1] : "many-3000";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    auto* window = static_cast<HWND>(main_window_create());
    if (window == nullptr) {
        return 1;
    }
    run_queued_messages();
    HWND button = static_cast<HWND>(control_window(control_id::按钮_搜索));
    HWND list = static_cast<HWND>(control_window(control_id::超级列表框1));
    control_set_text(control_id::编辑框_QQ号码, number);

    std::vector<double> handler_ms, total_ms;
    for (int run = 0; run < runs; ++run) {
        const double start = now_ms();
        SendMessageA(button, BM_CLICK, 0, 0); // the search runs inside this click
        const double handled = now_ms();
        do {
            run_queued_messages();
        } while (GetUpdateRect(list, nullptr, FALSE) || GetUpdateRect(window, nullptr, FALSE));
        const double painted = now_ms();
        handler_ms.push_back(handled - start);
        total_ms.push_back(painted - start);
        std::printf("run %d: %d rows, click handled %.1f ms, rows painted %.1f ms\n", run + 1,
                    list_item_count(), handled - start, painted - start);
    }
    std::sort(total_ms.begin(), total_ms.end());
    std::sort(handler_ms.begin(), handler_ms.end());
    std::printf("median of %d: click handled %.1f ms, rows painted %.1f ms\n", runs,
                handler_ms[handler_ms.size() / 2], total_ms[total_ms.size() / 2]);
    DestroyWindow(window);
    return 0;
}
