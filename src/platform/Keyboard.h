#pragma once
// Keyboard state as the windows need it: holding Shift while a window opens
// or closes skips its settings.

#include <optional>

bool IsShiftDown();
// Tests (and headless runs) set the answer; std::nullopt asks the keyboard again.
void SetShiftDownOverride(std::optional<bool> down);
