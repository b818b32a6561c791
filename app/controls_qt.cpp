// The control operations of the handlers, on the Qt main window.
#include "app/controls.h"

#include "app/main_window_qt.h"
#include "app/text_qt.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {

QWidget* widget_of(control_id control) {
    main_window_qt* window = main_window_qt::instance();
    return window ? window->control(control) : nullptr;
}

} // namespace

void control_set_disabled(control_id control, bool disabled) {
    if (QWidget* widget = widget_of(control)) {
        widget->setEnabled(!disabled);
    }
}

std::string control_get_text(control_id control) {
    QWidget* widget = widget_of(control);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return ansi_from_qt(edit->text());
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return ansi_from_qt(label->text());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return ansi_from_qt(button->text());
    }
    return {};
}

void control_set_text(control_id control, std::string_view text) {
    QWidget* widget = widget_of(control);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(qt_from_ansi(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(qt_from_ansi(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(qt_from_ansi(text));
    }
}

bool control_is_ticked(control_id control) {
    auto* check_box = qobject_cast<QCheckBox*>(widget_of(control));
    return check_box && check_box->isChecked();
}
