#include "app/main_window_qt.h"

#include "app/main_window.h"
#include "app/result_list/result_list_qt.h"
#include "app/text_qt.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <limits>

namespace {

main_window_qt* the_window = nullptr;

QColor qt_colour(rgb_colour colour) {
    return {colour.red, colour.green, colour.blue};
}

void set_colours(QWidget& widget, const control_description& description,
                 QPalette::ColorRole text_role) {
    QPalette palette = widget.palette();
    if (description.text_colour) {
        palette.setColor(text_role, qt_colour(*description.text_colour));
    }
    if (description.background_colour) {
        palette.setColor(QPalette::Base, qt_colour(*description.background_colour));
    }
    widget.setPalette(palette);
}

// Fills itself with the window colour and draws one left-aligned, vertically centred line.
QWidget* create_label(const control_description& description, QWidget* parent) {
    auto* label = new QLabel(qt_from_ansi(description.text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setWordWrap(false);
    label->setFocusPolicy(Qt::NoFocus);
    label->setAutoFillBackground(true);
    set_colours(*label, description, QPalette::WindowText);
    return label;
}

QWidget* create_edit_box(const control_description& description, QWidget* parent) {
    auto* edit = new QLineEdit(qt_from_ansi(description.text), parent);
    // No limit of our own: only the toolkit's largest.
    edit->setMaxLength(std::numeric_limits<int>::max());
    set_colours(*edit, description, QPalette::Text);
    edit->setAccessibleName(qt_from_ansi(description.name));
    return edit;
}

QWidget* create_push_button(const control_description& description, QWidget* parent) {
    auto* button = new QPushButton(qt_from_ansi(description.text), parent);
    // Enter clicks nothing in this window: no button is default, not even on focus.
    button->setAutoDefault(false);
    button->setDefault(false);
    if (const click_handler handler = description.on_clicked) {
        QObject::connect(button, &QPushButton::clicked, button, [handler] { handler(); });
    }
    return button;
}

QWidget* create_result_list(const control_description& description, QWidget* parent) {
    auto* list = new result_list_view(parent);
    set_colours(*list, description, QPalette::Text);
    list->setAccessibleName(qt_from_ansi(description.name));
    if (const double_click_handler handler = description.on_double_clicked) {
        QObject::connect(list, &result_list_view::double_clicked, list,
                         [handler](int x, int y, int key_state) { handler(x, y, key_state); });
    }
    return list;
}

QWidget* create_check_box(const control_description& description, QWidget* parent) {
    auto* check_box = new QCheckBox(qt_from_ansi(description.text), parent);
    check_box->setChecked(true);
    set_colours(*check_box, description, QPalette::WindowText);
    return check_box;
}

QWidget* create_control(const control_description& description, QWidget* parent) {
    QWidget* control = nullptr;
    switch (description.kind) {
    case control_kind::label:
        control = create_label(description, parent);
        break;
    case control_kind::edit_box:
        control = create_edit_box(description, parent);
        break;
    case control_kind::push_button:
        control = create_push_button(description, parent);
        break;
    case control_kind::result_list:
        control = create_result_list(description, parent);
        break;
    case control_kind::check_box:
        control = create_check_box(description, parent);
        break;
    }
    control->setObjectName(qt_from_ansi(description.name));
    control->setAccessibleDescription(qt_from_ansi(description.name));
    control->setGeometry(description.left, description.top, description.width, description.height);
    return control;
}

QIcon application_icon() {
    QIcon icon;
    for (const char* size : {"16", "32", "48"}) {
        icon.addFile(QStringLiteral(":/icon/") + QLatin1String(size) + QStringLiteral(".png"));
    }
    return icon;
}

bool is_letter_or_digit(int key) {
    return (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
}

// Assistive tools expect a top-level window to be a frame; a plain widget would be a filler.
QAccessibleInterface* accessible_main_window(const QString& /*class_name*/, QObject* object) {
    if (object && object == main_window_qt::instance()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

QPoint centred_place(QSize outer) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    const QRect area = screen->geometry();
    return area.topLeft() +
           QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
}

} // namespace

main_window_qt::main_window_qt()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {
    the_window = this;
    static const bool accessible_as_frame =
        (QAccessible::installFactory(accessible_main_window), true);
    (void)accessible_as_frame;
    setWindowTitle(QString::fromLatin1(MAIN_WINDOW.title));
    setWindowIcon(application_icon());
    // Until the window manager tells its frame, the frame is taken to be nothing.
    const QSize outer(MAIN_WINDOW.outer_width, MAIN_WINDOW.outer_height);
    setFixedSize(outer);
    move(centred_place(outer));

    for (const control_description& description : MAIN_WINDOW_CONTROLS) {
        controls_[static_cast<std::size_t>(description.id)] = create_control(description, this);
    }
    const auto usable = [this](control_id id) { return can_take_focus(id); };
    if (const std::optional<control_id> first = first_on_tab_ring(usable)) {
        control(*first)->setFocus(Qt::OtherFocusReason);
    }
    qApp->installEventFilter(this);
}

main_window_qt::~main_window_qt() {
    qApp->removeEventFilter(this);
    if (the_window == this) {
        the_window = nullptr;
    }
}

main_window_qt* main_window_qt::instance() {
    return the_window;
}

result_list_view* main_window_qt::result_list() const {
    return static_cast<result_list_view*>(control(control_id::超级列表框1));
}

bool main_window_qt::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::WindowActivate:
        // The frame shows up in the geometry only after the window manager has framed us.
        fit_outer_size();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void main_window_qt::fit_outer_size() {
    const QSize outer(MAIN_WINDOW.outer_width, MAIN_WINDOW.outer_height);
    const QSize frame = frameGeometry().size() - size();
    const QSize client = outer - frame;
    if (frame.width() < 0 || frame.height() < 0 || client.isEmpty() || client == size()) {
        return;
    }
    setFixedSize(client);
    move(centred_place(outer));
}

bool main_window_qt::owns(QObject* object) const {
    if (!object->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(object);
    return widget == this || isAncestorOf(widget);
}

bool main_window_qt::eventFilter(QObject* watched, QEvent* event) {
    // The window looks at every key meant for it or its controls before the control does.
    if (event->type() == QEvent::KeyPress && owns(watched)) {
        return examine_key(*static_cast<QKeyEvent*>(event));
    }
    return false;
}

bool main_window_qt::examine_key(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (key.key()) {
    case Qt::Key_Tab:
        if (held == Qt::NoModifier || held == Qt::ShiftModifier) {
            move_focus(held == Qt::ShiftModifier);
            return true;
        }
        return false;
    case Qt::Key_Backtab: // Shift+Tab, as X11 reports it
        if (held == Qt::ShiftModifier) {
            move_focus(true);
            return true;
        }
        return false;
    case Qt::Key_Escape:
        if (held == Qt::NoModifier) {
            close();
            return true;
        }
        return false;
    default:
        // Alt with a letter or digit picks a control by its access key. No text of this
        // window marks one, so the key ends here instead of being typed into the edit box.
        return (held & Qt::AltModifier) && !(held & Qt::ControlModifier) &&
               is_letter_or_digit(key.key());
    }
}

bool main_window_qt::focusNextPrevChild(bool next) {
    // Qt's own focus moves, such as leaving a control that is being disabled, keep to the
    // ring too.
    return move_focus(!next);
}

bool main_window_qt::move_focus(bool backwards) {
    const auto usable = [this](control_id id) { return can_take_focus(id); };
    const std::optional<control_id> next =
        next_on_tab_ring(control_with_focus(), backwards, usable);
    if (!next) {
        return false;
    }
    control(*next)->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    return true;
}

bool main_window_qt::can_take_focus(control_id id) const {
    const QWidget* widget = control(id);
    return widget->isVisibleTo(this) && widget->isEnabled();
}

std::optional<control_id> main_window_qt::control_with_focus() const {
    const QWidget* focus = focusWidget();
    for (const control_description& description : MAIN_WINDOW_CONTROLS) {
        const QWidget* widget = control(description.id);
        if (focus && (focus == widget || widget->isAncestorOf(focus))) {
            return description.id;
        }
    }
    return std::nullopt;
}
