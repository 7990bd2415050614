#include "WinColor.h"

QColor ColorFromWin(int value) {
    const quint32 v = quint32(value);
    if (v & 0xFF000000u)
        return QColor();
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}
