#pragma once
// TDateTime: days since 30 December 1899 (value 0) with the time of day as
// the fraction. Formatting and parsing follow the process's format settings.

#include <QDate>
#include <QDateTime>
#include <QString>

using TDateTime = double;

TDateTime EncodeDate(int year, int month, int day); // EConvertError when invalid
TDateTime EncodeTime(int hour, int minute, int second, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);

TDateTime DateOf(const QDate& date);
TDateTime DateTimeOf(const QDateTime& dateTime);
QDate ToQDate(TDateTime value);
QDateTime ToQDateTime(TDateTime value);
TDateTime Date(); // today
TDateTime Now();

// Pattern letters, case-insensitive: d dd ddd dddd, m mm mmm mmmm (minutes
// right after h or before s), yy yyyy, h hh, n nn, s ss, z zzz, "/" the date
// separator, ":" the time separator, "c" short date and long time,
// 'quoted' and "quoted" literals. Every other character stands as it is.
QString FormatDateTime(const QString& pattern, TDateTime value);
QString DateToStr(TDateTime value);     // short date format
QString DateTimeToStr(TDateTime value); // short date, and the time when not midnight

// Parses digits by pattern: a field between literals (or the ends) reads one
// or more digits up to the next non-digit, a field that touches another field
// reads exactly its width ("ddmmyy", "yyyymmdd", "hhmmss").
// A two-digit year falls in the current century.
bool TryStrToDateTimeFmt(const QString& text, const QString& pattern, TDateTime& value);
TDateTime StrToDateFmt(const QString& text, const QString& pattern); // "'%s' is not a valid date"
// Parses with the short date format and the date separator.
bool TryStrToDate(const QString& text, TDateTime& value);
TDateTime StrToDate(const QString& text);
