// An in-memory main window: the control, list, clipboard and message-box operations of
// the portable handlers, recorded so that tests can see what happened and in what order.
#pragma once

#include "app/controls.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct in_memory_window {
    struct message {
        std::string text;
        std::int32_t style;
        std::string caption;
    };

    std::array<std::string, CONTROL_COUNT> texts{};
    std::array<bool, CONTROL_COUNT> disabled{};
    bool ticked = true;

    std::vector<std::array<std::string, 3>> rows;
    std::int32_t selected = -1;

    std::optional<std::string> clipboard; // none: holds no text
    bool clipboard_locked = false;        // another program has it open

    std::vector<message> messages;
    std::vector<std::string> log; // one line per operation, in call order

    std::string& text(control_id control) { return texts[static_cast<std::size_t>(control)]; }
    bool is_disabled(control_id control) const {
        return disabled[static_cast<std::size_t>(control)];
    }
};

// The window that the operations act on; a fresh one for every test.
in_memory_window& fake_window();
void reset_fake_window();
