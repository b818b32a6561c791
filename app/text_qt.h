// The widget edge of the Linux build: the program's texts are CP936 bytes, Qt's are UTF-16.
#pragma once

#include "app/ansi_text_linux.h"

#include <QString>

#include <string>
#include <string_view>

// Up to the first NUL, as a window text of the Windows build would stop there too.
inline std::string_view up_to_nul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

inline QString qt_from_ansi(std::string_view ansi) {
    return QString::fromStdString(utf8_from_ansi(up_to_nul(ansi)));
}

inline std::string ansi_from_qt(const QString& text) {
    std::string ansi = ansi_from_utf8(text.toStdString());
    ansi.resize(up_to_nul(ansi).size());
    return ansi;
}
