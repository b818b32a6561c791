// Start-up of the Linux program: the main window, centred, until the user closes it.
#include "app/main_window_qt.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("sonvale-brackwen"));
    main_window_qt window;
    window.show();
    application.exec();
    return 0;
}
