// The main window on Qt 6 Widgets, built from MAIN_WINDOW_CONTROLS.
//
// Provides:
//  - the eight controls at their pixel places, created in table order so that they stack
//    alike, with the table's texts, colours and handler bindings
//  - an outer size of exactly MAIN_WINDOW once the window manager's frame is known, centred
//    on the primary screen; not resizable, no maximise button
//  - Tab and Shift+Tab along the portable ring, Esc closes; Enter, Alt+letter and F1 reach
//    the focused control and do nothing there
//  - the focus back on the last control when the window is activated again (Qt keeps the
//    focus widget of each window)
//
// There is one main window: the control, list and clipboard operations act on instance().
#pragma once

#include "app/controls.h"

#include <QWidget>

#include <array>
#include <optional>

class result_list_view;

class main_window_qt final : public QWidget {
  public:
    main_window_qt();
    ~main_window_qt() override;
    main_window_qt(const main_window_qt&) = delete;
    main_window_qt& operator=(const main_window_qt&) = delete;

    // Null when no main window exists.
    static main_window_qt* instance();

    QWidget* control(control_id id) const { return controls_[static_cast<std::size_t>(id)]; }
    result_list_view* result_list() const;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    bool owns(QObject* object) const;
    bool examine_key(const QKeyEvent& key);
    bool move_focus(bool backwards);
    std::optional<control_id> control_with_focus() const;
    // Shown (or to be shown with the window) and enabled: may take the focus.
    bool can_take_focus(control_id id) const;
    void fit_outer_size();

    std::array<QWidget*, CONTROL_COUNT> controls_{};
};
