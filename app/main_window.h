// The fixed description of the main window: what each build creates, where, and what
// each control's events call. Nothing of it is read at run time.
#pragma once

#include "app/controls.h"

#include <array>
#include <cstdint>
#include <optional>

struct rgb_colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const rgb_colour&, const rgb_colour&) = default;
};

enum class control_kind { label, edit_box, push_button, result_list, check_box };

using click_handler = void (*)();
using double_click_handler = void (*)(std::int32_t x, std::int32_t y, std::int32_t key_state);

struct control_description {
    control_id id;
    const char* name; // CP936, for accessibility and test output
    control_kind kind;
    int left, top, width, height;
    const char* text;                            // CP936
    std::optional<rgb_colour> text_colour;       // none: the system's own
    std::optional<rgb_colour> background_colour; // none: the system's own
    click_handler on_clicked = nullptr;
    double_click_handler on_double_clicked = nullptr;
};

struct window_description {
    const char* title;
    int outer_width, outer_height;
};

inline constexpr rgb_colour BLACK{0, 0, 0};
inline constexpr rgb_colour WHITE{255, 255, 255};
inline constexpr rgb_colour STATUS_GREEN{0, 128, 0};
inline constexpr rgb_colour HINT_BLUE{0, 0, 255};

extern const window_description MAIN_WINDOW;
extern const std::array<control_description, CONTROL_COUNT> MAIN_WINDOW_CONTROLS;

const control_description& description_of(control_id control);

// Labels paint themselves and never take the focus; every other control does.
bool is_focusable(control_kind kind);

// The control that Tab (or Shift+Tab when `backwards`) moves to from `current`, skipping
// the controls for which `usable` is false; none when no control of the ring is usable.
// From a control outside the ring, the ring is entered at its start (or its end).
template <typename Predicate>
std::optional<control_id> next_on_tab_ring(std::optional<control_id> current, bool backwards,
                                           Predicate usable);

// The first usable control of the ring, where the focus goes when nothing else claims it.
template <typename Predicate> std::optional<control_id> first_on_tab_ring(Predicate usable);

// ---------------------------------------------------------------------------------------

// The ring is the creation order with the labels left out.
inline constexpr std::array<control_id, 5> TAB_RING{
    control_id::编辑框_QQ号码, control_id::按钮_搜索, control_id::超级列表框1,
    control_id::按钮_清空号码, control_id::选择框1,
};

template <typename Predicate>
std::optional<control_id> next_on_tab_ring(std::optional<control_id> current, bool backwards,
                                           Predicate usable) {
    const int size = static_cast<int>(TAB_RING.size());
    int position = backwards ? size : -1;
    for (int i = 0; i < size; ++i) {
        if (current && TAB_RING[static_cast<std::size_t>(i)] == *current) {
            position = i;
        }
    }
    for (int step = 1; step <= size; ++step) {
        const int index = ((position + (backwards ? -step : step)) % size + size) % size;
        const control_id candidate = TAB_RING[static_cast<std::size_t>(index)];
        if (usable(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

template <typename Predicate> std::optional<control_id> first_on_tab_ring(Predicate usable) {
    return next_on_tab_ring(std::nullopt, false, usable);
}
