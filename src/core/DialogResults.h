#pragma once
// The answers of the system's questions: dialog results 6 (Yes) and 7 (No).

inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
