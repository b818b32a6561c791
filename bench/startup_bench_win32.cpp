// Start-up benchmark, run under Wine: for each program given, starts it, waits for its
// first top-level window to be shown and painted, and records the time from CreateProcess
// to that moment and the process's peak memory; then closes the window. The programs are
// started in turns, so that both see the same state of the machine.
//   startup_bench_win32 RUNS PROGRAM.exe [PROGRAM.exe...]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct sample {
    double milliseconds = 0;
    double peak_working_set_mib = 0;
    double peak_private_mib = 0;
};

struct search_state {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK find_shown_window(HWND window, LPARAM state_pointer) {
    auto* state = reinterpret_cast<search_state*>(state_pointer);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == state->pid && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
        state->found = window;
        return FALSE;
    }
    return TRUE;
}

double now_ms() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool measure(const char* program, sample& result) {
    std::string command_line = std::string("\"") + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = now_ms();
    if (!CreateProcessA(program, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    search_state state{process.dwProcessId, nullptr};
    // Shown, and no part of it waiting to be painted: its first WM_PAINT has run.
    while (now_ms() - start < 30000) {
        if (state.found == nullptr) {
            EnumWindows(find_shown_window, reinterpret_cast<LPARAM>(&state));
        }
        if (state.found != nullptr && !GetUpdateRect(state.found, nullptr, FALSE)) {
            break;
        }
        Sleep(1);
    }
    result.milliseconds = now_ms() - start;
    Sleep(500); // let the start-up settle before the peak is read
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters);
    result.peak_working_set_mib = static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0;
    result.peak_private_mib = static_cast<double>(counters.PeakPagefileUsage) / 1048576.0;
    PostMessageA(state.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return state.found != nullptr;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench_win32 RUNS PROGRAM.exe [PROGRAM.exe...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const int programs = argc - 2;
    std::vector<std::vector<sample>> samples(static_cast<std::size_t>(programs));
    for (int run = 0; run < runs; ++run) {
        for (int p = 0; p < programs; ++p) {
            sample result;
            if (!measure(argv[p + 2], result)) {
                std::fprintf(stderr, "%s: no window\n", argv[p + 2]);
                return 1;
            }
            samples[static_cast<std::size_t>(p)].push_back(result);
        }
    }
    std::printf("%-40s %14s %18s %18s\n", "program", "first paint ms", "peak working MiB",
                "peak private MiB");
    for (int p = 0; p < programs; ++p) {
        std::vector<double> times, working, privates;
        for (const sample& s : samples[static_cast<std::size_t>(p)]) {
            times.push_back(s.milliseconds);
            working.push_back(s.peak_working_set_mib);
            privates.push_back(s.peak_private_mib);
        }
        std::printf("%-40s %14.1f %18.1f %18.1f\n", argv[p + 2], median(times), median(working),
                    median(privates));
    }
    std::printf("(medians of %d runs)\n", runs);
    return 0;
}
