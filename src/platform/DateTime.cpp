#include "DateTime.h"

#include "Exceptions.h"
#include "FormatSettings.h"

#include <cmath>

namespace {
const QDate Epoch(1899, 12, 30);
constexpr double MSecsPerDay = 86400000.0;

const char* const ShortMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonthNames[] = {"January", "February", "March",     "April",
                                      "May",     "June",     "July",      "August",
                                      "September", "October", "November", "December"};
const char* const ShortDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                    "Thursday", "Friday", "Saturday"};
} // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
    QDate date(year, month, day);
    if (!date.isValid() || year < 1 || year > 9999)
        return false;
    value = static_cast<double>(Epoch.daysTo(date));
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime value = 0;
    if (!TryEncodeDate(year, month, day, value))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return value;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / MSecsPerDay;
}

namespace {
// Days and milliseconds of a value; for dates before the epoch the fraction
// is still the time of day (the value -1.25 is 29 Dec 1899, 06:00).
void Split(TDateTime value, qint64& days, qint64& msecs) {
    double whole = std::trunc(value);
    days = static_cast<qint64>(whole);
    msecs = static_cast<qint64>(std::llround(std::fabs(value - whole) * MSecsPerDay));
    if (msecs >= 86400000) {
        msecs -= 86400000;
        days += value < 0 ? -1 : 1;
    }
}
} // namespace

QDate ToQDate(TDateTime value) {
    qint64 days, msecs;
    Split(value, days, msecs);
    return Epoch.addDays(days);
}

QDateTime ToQDateTime(TDateTime value) {
    qint64 days, msecs;
    Split(value, days, msecs);
    return QDateTime(Epoch.addDays(days), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

TDateTime DateOf(const QDate& date) { return static_cast<double>(Epoch.daysTo(date)); }

TDateTime DateTimeOf(const QDateTime& dateTime) {
    double days = DateOf(dateTime.date());
    double time = dateTime.time().msecsSinceStartOfDay() / MSecsPerDay;
    return days < 0 ? days - time : days + time;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    ToQDate(value).getDate(&year, &month, &day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
    QTime time = ToQDateTime(value).time();
    hour = time.hour();
    minute = time.minute();
    second = time.second();
    msec = time.msec();
}

TDateTime Date() { return DateOf(QDate::currentDate()); }
TDateTime Now() { return DateTimeOf(QDateTime::currentDateTime()); }

namespace {

int CountRun(const QString& pattern, int at, QChar letter) {
    int n = 0;
    while (at + n < pattern.size() && pattern[at + n].toLower() == letter)
        ++n;
    return n;
}

QString Pad(int value, int width) { return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')); }

void AppendFormatted(QString& out, const QString& pattern, const QDateTime& dt, int depth) {
    const TFormatSettings& fs = FormatSettings();
    const QDate date = dt.date();
    const QTime time = dt.time();
    bool lastWasHour = false;
    for (int i = 0; i < pattern.size();) {
        QChar c = pattern[i];
        QChar lower = c.toLower();
        if (c == '"' || c == '\'') {
            int end = pattern.indexOf(c, i + 1);
            if (end < 0)
                end = pattern.size();
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        int run = 1;
        switch (lower.unicode()) {
        case 'y':
            run = CountRun(pattern, i, 'y');
            out += run <= 2 ? Pad(date.year() % 100, 2) : Pad(date.year(), 4);
            break;
        case 'm': {
            run = CountRun(pattern, i, 'm');
            // "m" means minutes right after an hour or before a second.
            int next = i + run;
            while (next < pattern.size() && !pattern[next].isLetter())
                ++next;
            bool minutes = lastWasHour ||
                           (next < pattern.size() && pattern[next].toLower() == 's');
            if (minutes)
                out += run >= 2 ? Pad(time.minute(), 2) : QString::number(time.minute());
            else if (run == 1)
                out += QString::number(date.month());
            else if (run == 2)
                out += Pad(date.month(), 2);
            else if (run == 3)
                out += QLatin1String(ShortMonthNames[date.month() - 1]);
            else
                out += QLatin1String(LongMonthNames[date.month() - 1]);
            run = std::min(run, 4);
            break;
        }
        case 'd':
            run = CountRun(pattern, i, 'd');
            if (run == 1)
                out += QString::number(date.day());
            else if (run == 2)
                out += Pad(date.day(), 2);
            else if (run == 3)
                out += QLatin1String(ShortDayNames[date.dayOfWeek() % 7]);
            else if (run == 4)
                out += QLatin1String(LongDayNames[date.dayOfWeek() % 7]);
            else if (depth == 0) {
                AppendFormatted(out, fs.ShortDateFormat, dt, depth + 1);
                run = 5;
            }
            run = std::min(run, 5);
            break;
        case 'h':
            run = CountRun(pattern, i, 'h');
            out += run >= 2 ? Pad(time.hour(), 2) : QString::number(time.hour());
            run = std::min(run, 2);
            break;
        case 'n':
            run = std::min(CountRun(pattern, i, 'n'), 2);
            out += run == 2 ? Pad(time.minute(), 2) : QString::number(time.minute());
            break;
        case 's':
            run = std::min(CountRun(pattern, i, 's'), 2);
            out += run == 2 ? Pad(time.second(), 2) : QString::number(time.second());
            break;
        case 'z':
            run = CountRun(pattern, i, 'z') >= 3 ? 3 : 1;
            out += run == 3 ? Pad(time.msec(), 3) : QString::number(time.msec());
            break;
        case 'c':
            if (depth == 0) {
                AppendFormatted(out, fs.ShortDateFormat, dt, depth + 1);
                if (time.msecsSinceStartOfDay() != 0) {
                    out += QLatin1Char(' ');
                    AppendFormatted(out, fs.LongTimeFormat, dt, depth + 1);
                }
            }
            break;
        case '/':
            out += fs.DateSeparator;
            break;
        case ':':
            out += fs.TimeSeparator;
            break;
        default:
            out += c;
        }
        if (lower.isLetter())
            lastWasHour = lower == 'h';
        i += run;
    }
}

} // namespace

QString FormatDateTime(const QString& pattern, TDateTime value) {
    QString out;
    AppendFormatted(out, pattern, ToQDateTime(value), 0);
    return out;
}

QString DateToStr(TDateTime value) { return FormatDateTime(FormatSettings().ShortDateFormat, value); }

QString DateTimeToStr(TDateTime value) { return FormatDateTime(QStringLiteral("c"), value); }

namespace {

struct TParsedFields {
    int year = -1, month = -1, day = -1;
    int hour = 0, minute = 0, second = 0, msec = 0;
    bool twoDigitYear = false;
};

bool IsField(QChar lower) {
    return lower == 'd' || lower == 'm' || lower == 'y' || lower == 'h' || lower == 'n' ||
           lower == 's' || lower == 'z';
}

} // namespace

bool TryStrToDateTimeFmt(const QString& text, const QString& pattern, TDateTime& value) {
    const TFormatSettings& fs = FormatSettings();
    TParsedFields f;
    int t = 0;
    const QString input = text.trimmed();
    bool lastWasHour = false;
    for (int p = 0; p < pattern.size();) {
        QChar lower = pattern[p].toLower();
        if (!IsField(lower)) {
            // A literal: the date and time separators stand for the current
            // ones; any separator in the text matches a separator in the pattern.
            QChar expected = pattern[p] == '/' ? fs.DateSeparator
                             : pattern[p] == ':' ? fs.TimeSeparator
                                                 : pattern[p];
            if (t >= input.size())
                return false;
            QChar got = input[t];
            if (got != expected && (got.isDigit() || got.isLetter() || expected.isLetterOrNumber()))
                return false;
            ++t;
            ++p;
            continue;
        }
        int run = CountRun(pattern, p, lower);
        // A field that touches another field has no separator to end it.
        bool fixed = (p + run < pattern.size() && IsField(pattern[p + run].toLower())) ||
                     (p > 0 && IsField(pattern[p - 1].toLower()));
        int maxWidth = lower == 'y' ? (run <= 2 ? 2 : 4) : lower == 'z' ? 3 : 2;
        if (lower == 'y' && !fixed)
            maxWidth = 4;
        int width = 0;
        int number = 0;
        while (t < input.size() && width < (fixed ? run : maxWidth) && input[t].isDigit() &&
               input[t].unicode() < 128) {
            number = number * 10 + (input[t].unicode() - '0');
            ++t;
            ++width;
        }
        if (width == 0 || (fixed && width != run))
            return false;
        switch (lower.unicode()) {
        case 'y':
            f.year = number;
            f.twoDigitYear = width <= 2;
            break;
        case 'm': {
            int next = p + run;
            while (next < pattern.size() && !pattern[next].isLetter())
                ++next;
            bool minutes = lastWasHour || (next < pattern.size() && pattern[next].toLower() == 's');
            (minutes ? f.minute : f.month) = number;
            break;
        }
        case 'd':
            f.day = number;
            break;
        case 'h':
            f.hour = number;
            break;
        case 'n':
            f.minute = number;
            break;
        case 's':
            f.second = number;
            break;
        case 'z':
            f.msec = number;
            break;
        }
        lastWasHour = lower == 'h';
        p += run;
    }
    if (t != input.size())
        return false;
    bool hasDate = f.year >= 0 || f.month >= 0 || f.day >= 0;
    double datePart = 0;
    if (hasDate) {
        if (f.year < 0 || f.month < 0 || f.day < 0)
            return false;
        int year = f.year;
        if (f.twoDigitYear)
            year += QDate::currentDate().year() / 100 * 100;
        if (!TryEncodeDate(year, f.month, f.day, datePart))
            return false;
    }
    if (f.hour > 23 || f.minute > 59 || f.second > 59 || f.msec > 999)
        return false;
    double timePart = EncodeTime(f.hour, f.minute, f.second, f.msec);
    value = datePart < 0 ? datePart - timePart : datePart + timePart;
    return true;
}

TDateTime StrToDateFmt(const QString& text, const QString& pattern) {
    TDateTime value = 0;
    if (!TryStrToDateTimeFmt(text, pattern, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return value;
}

bool TryStrToDate(const QString& text, TDateTime& value) {
    // The order of day, month and year comes from the short date format; the
    // fields of the text are separated by the date separator.
    const QString& format = FormatSettings().ShortDateFormat;
    QString order;
    for (QChar c : format) {
        QChar lower = c.toLower();
        if ((lower == 'd' || lower == 'm' || lower == 'y') && !order.contains(lower))
            order += lower;
    }
    if (order.size() != 3)
        order = QStringLiteral("dmy");
    QString pattern;
    for (QChar c : order) {
        if (!pattern.isEmpty())
            pattern += QLatin1Char('/');
        pattern += c == 'y' ? QStringLiteral("yyyy") : QString(2, c);
    }
    return TryStrToDateTimeFmt(text, pattern, value);
}

TDateTime StrToDate(const QString& text) {
    TDateTime value = 0;
    if (!TryStrToDate(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return value;
}
