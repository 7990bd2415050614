#pragma once
// Number texts through the process's format settings. Failures raise
// EConvertError with the platform's own messages. Nothing here reads the C
// library locale: the separators are the program's own.

#include <QChar>
#include <QString>
#include <cstdint>

// Nearest integer, halves to even: the one rounding rule of the system.
int64_t Round(double value);

// General form: up to 15 significant digits, no trailing zeros, exponent form
// ("1E20", "1.5E-7") when the value has more than 15 integer digits or is
// below 0.0001.
QString FloatToStr(double value);
QString FloatToStr(double value, QChar decimalSeparator);

// Fixed notation with exactly `decimals` decimals.
QString FloatToStrFixed(double value, int decimals);
// Fixed notation with thousands separators and exactly `decimals` decimals.
QString FormatNumber(double value, int decimals);
// Pattern format: 0 (digit), # (optional digit), . (decimal separator),
// , (thousands separators), up to three sections positive;negative;zero,
// quoted literals. Halves round away from zero on the 15-digit decimal value.
QString FormatFloat(const QString& pattern, double value);

// Text to float with the current decimal separator (or the given one).
// Blanks around the number are allowed; thousands separators are not.
double StrToFloat(const QString& text);
double StrToFloat(const QString& text, QChar decimalSeparator);
bool TryStrToFloat(const QString& text, double& value);
bool TryStrToFloat(const QString& text, double& value, QChar decimalSeparator);
double StrToFloatDef(const QString& text, double defaultValue);
// A number kept as data (a risk factor's `Default`, a unit factor, a pick
// list's bounds) is written with a point, whatever the country's separator.
bool TryDataToFloat(const QString& text, double& value);
double DataToFloat(const QString& text);

// Text to integer: leading blanks, a sign, decimal digits or "$" hex digits.
int StrToInt(const QString& text);
int64_t StrToInt64(const QString& text);
bool TryStrToInt(const QString& text, int& value);
bool TryStrToInt64(const QString& text, int64_t& value);
int StrToIntDef(const QString& text, int defaultValue);
QString IntToStr(int64_t value);
