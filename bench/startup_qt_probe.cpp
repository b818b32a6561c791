// One measured start of a window, for bench/startup_qt.py, which spawns this program and
// subtracts its own spawn time from the times printed here (both on CLOCK_MONOTONIC).
//
//   startup_qt_probe                  the program's main window, as the program opens it
//   startup_qt_probe NUMBER           then a click on 按钮_搜索 for NUMBER, timed until the
//                                     list has painted its rows
//   startup_qt_empty_probe            an empty QWidget window of the same size and title,
//                                     built from this file with nothing of the program in it
//
// Prints "first_paint_ns T" and, with a number, "search_ms M" and "rows N"; then exits.
#ifndef EMPTY_WINDOW
#include "app/controls.h"
#include "app/main_window_qt.h"
#include "app/result_list/result_list.h"
#include "app/result_list/result_list_qt.h"

#include <QAbstractButton>
#endif

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

using steady = std::chrono::steady_clock;

long long now_ns() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(steady::now().time_since_epoch())
        .count();
}

// Calls `then` once, after the first paint of `widget` has been handed to the display.
class after_first_paint final : public QObject {
  public:
    after_first_paint(QWidget& widget, std::function<void()> then) : then_(std::move(then)) {
        widget.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && then_) {
            watched->removeEventFilter(this);
            // Queued: runs once the whole window has been painted and flushed.
            QTimer::singleShot(0, std::exchange(then_, nullptr));
        }
        return false;
    }

  private:
    std::function<void()> then_;
};

#ifndef EMPTY_WINDOW
void search_and_time(const char* number) {
    main_window_qt& window = *main_window_qt::instance();
    control_set_text(control_id::编辑框_QQ号码, number);
    auto* button = static_cast<QAbstractButton*>(window.control(control_id::按钮_搜索));
    QWidget* rows = window.result_list()->viewport();
    const long long clicked = now_ns();
    static std::unique_ptr<after_first_paint> painted;
    painted = std::make_unique<after_first_paint>(*rows, [clicked] {
        std::printf("search_ms %.1f\nrows %d\n", double(now_ns() - clicked) / 1e6,
                    list_item_count());
        QCoreApplication::exit(0);
    });
    button->click();
}
#endif

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
#ifdef EMPTY_WINDOW
    QWidget window;
    window.setWindowTitle(QStringLiteral("Sonvale-Brackwen"));
    window.resize(337, 443);
    after_first_paint first(window, [] {
        std::printf("first_paint_ns %lld\n", now_ns());
        QCoreApplication::exit(0);
    });
#else
    const char* number = argc > 1 ? argv[1] : nullptr;
    main_window_qt window;
    after_first_paint first(window, [number] {
        std::printf("first_paint_ns %lld\n", now_ns());
        std::fflush(stdout);
        if (number) {
            search_and_time(number);
        } else {
            QCoreApplication::exit(0);
        }
    });
#endif
    window.show();
    application.exec();
    return 0;
}
