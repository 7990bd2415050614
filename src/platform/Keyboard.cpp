#include "Keyboard.h"

#include <QGuiApplication>

namespace {
std::optional<bool>& Override() {
    static std::optional<bool> value;
    return value;
}
} // namespace

bool IsShiftDown() {
    if (Override())
        return *Override();
    if (!qApp)
        return false;
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

void SetShiftDownOverride(std::optional<bool> down) { Override() = down; }
