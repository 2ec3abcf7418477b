#include <QApplication>

#include "window/form1.h"

int main(int argc, char* argv[]) {
    // The program takes no command line: Qt sees only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    QApplication app(qtArgc, qtArgv);
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("example.orvanta.MetalWeight");
    Form1 form;
    form.show();
    return app.exec();
}
