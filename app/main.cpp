// The desktop program.

#include "Application.h"

#include <QMainWindow>
#include <cstdio>

namespace {
// Qt aborts without a usable display; say so plainly instead.
bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}
} // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "Tavlo needs a graphical display: none was found (DISPLAY and "
                             "WAYLAND_DISPLAY are not set).\n");
        return 1;
    }
    TApplication app(argc, argv);
    TApplication::setOrganizationName("Brovik");
    TApplication::setApplicationName("Tavlo");
    TApplication::setApplicationDisplayName("Tavlo");

    QMainWindow window;
    window.setWindowTitle("Tavlo");
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
