// The clipboard and the message box of the link copy, on Qt. Other Linux programs read the
// clipboard as UTF-8 text; the program itself reads and writes CP936.
#include "actions/clipboard.h"

#include "app/text_qt.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

// The button value that the Windows build returns for OK.
constexpr std::int32_t BUTTON_OK = 1;
constexpr std::int32_t ICON_MASK = 0x00F0;

QMessageBox::Icon icon_for(std::int32_t style) {
    return (style & ICON_MASK) == MESSAGE_BOX_ICON_ERROR ? QMessageBox::Critical
                                                         : QMessageBox::NoIcon;
}

// A label breaks lines at LF; a CR before it would show as a stray glyph.
QString shown_text(std::string_view text) {
    QString shown = qt_from_ansi(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

bool clipboard_set_text(std::string_view text) {
    // With a clipboard manager running, Qt hands the text over to it when the program
    // exits, so the address can still be pasted afterwards.
    QGuiApplication::clipboard()->setText(qt_from_ansi(text), QClipboard::Clipboard);
    return true;
}

std::string clipboard_get_text() {
    return ansi_from_qt(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
}

std::int32_t message_box(std::string_view text, std::int32_t style,
                         std::optional<std::string_view> caption) {
    // No owner window, as on Windows; the box blocks every window of the program.
    QMessageBox box(icon_for(style), qt_from_ansi(caption.value_or(MESSAGE_BOX_CAPTION)),
                    shown_text(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return BUTTON_OK;
}
