#pragma once
// A window as the user sees it, saved as NAME.png into TAVLO_GRAB_DIR when
// that is set, so a changed window can be looked at.

#include <QString>
#include <QWidget>

inline void GrabWindow(QWidget* window, const QString& name) {
    if (!window || name.isEmpty() || qEnvironmentVariableIsEmpty("TAVLO_GRAB_DIR"))
        return;
    window->grab().save(qEnvironmentVariable("TAVLO_GRAB_DIR") + '/' + name + ".png");
}
