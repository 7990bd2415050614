#pragma once
// The answers of the system's questions: dialog results 6 (Yes) and 7 (No);
// the other results of the platform's message dialog beside them.

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
