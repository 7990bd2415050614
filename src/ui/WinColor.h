#pragma once
// Colours are stored as Windows colour values, $00BBGGRR (the risk factors'
// and the colour bands' Color columns). This is the one place where such a
// value becomes a QColor.

#include <QColor>

// A value with a non-zero high byte is no colour of its own (a system
// colour or "the default"): the result is invalid then, and whoever draws
// keeps its own colour.
QColor ColorFromWin(int value);
