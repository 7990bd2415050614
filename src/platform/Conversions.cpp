#include "Conversions.h"

#include "Exceptions.h"
#include "FormatSettings.h"

#include <QStringList>
#include <charconv>
#include <cmath>
#include <limits>

int64_t Round(double value) {
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff > 0.5)
        floor += 1.0;
    else if (diff == 0.5 && std::fmod(floor, 2.0) != 0.0)
        floor += 1.0;
    return static_cast<int64_t>(floor);
}

namespace {

// A value as decimal digits: 0.d1d2d3... x 10^exponent, digits without
// trailing zeros, at most `precision` of them.
struct TDecimal {
    bool negative = false;
    QByteArray digits; // empty for zero
    int exponent = 0;
    bool special = false; // NaN or infinity
};

TDecimal ToDecimal(double value, int precision = 15) {
    TDecimal result;
    if (std::isnan(value) || std::isinf(value)) {
        result.special = true;
        return result;
    }
    result.negative = std::signbit(value) && value != 0.0;
    if (value == 0.0)
        return result;
    // to_chars, not printf: the C library locale must not choose the point.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, precision - 1);
    // buffer: d.dddde[+-]xx
    QByteArray text(buffer, written.ptr - buffer);
    int e = text.indexOf('e');
    QByteArray mantissa = text.left(e);
    mantissa.remove(1, 1);
    result.exponent = text.mid(e + 1).toInt() + 1;
    while (mantissa.endsWith('0'))
        mantissa.chop(1);
    result.digits = mantissa;
    return result;
}

QString SpecialText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Rounds the decimal to `decimals` places after the point, halves away
// from zero; returns integer digits and exactly `decimals` fraction digits.
void RoundToPlaces(const TDecimal& d, int decimals, QByteArray& integerPart,
                   QByteArray& fractionPart) {
    // All digits from 10^(exponent-1) down to 10^-decimals.
    QByteArray all;
    int integerDigits = std::max(d.exponent, 0);
    int keep = integerDigits + decimals; // digits we keep in `all`
    QByteArray source = d.digits;
    int leadingZeros = d.exponent < 0 ? -d.exponent : 0;
    QByteArray full = QByteArray(leadingZeros, '0') + source; // digits starting at 10^(intDigits-1)
    if (full.size() < keep + 1)
        full += QByteArray(keep + 1 - full.size(), '0');
    all = full.left(keep);
    bool roundUp = full.at(keep) >= '5';
    if (roundUp) {
        int i = all.size() - 1;
        while (i >= 0 && all[i] == '9') {
            all[i] = '0';
            --i;
        }
        if (i >= 0)
            all[i] = char(all[i] + 1);
        else {
            all.prepend('1');
            ++integerDigits;
        }
    }
    integerPart = all.left(integerDigits);
    fractionPart = all.mid(integerDigits);
    if (integerPart.isEmpty())
        integerPart = "0";
}

QString GroupThousands(const QByteArray& digits, QChar separator) {
    QString result;
    int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            result += separator;
        result += QChar(digits[i]);
    }
    return result;
}

bool AllZero(const QByteArray& a, const QByteArray& b) {
    for (char c : a + b)
        if (c != '0')
            return false;
    return true;
}

} // namespace

QString FloatToStr(double value) { return FloatToStr(value, FormatSettings().DecimalSeparator); }

QString FloatToStr(double value, QChar decimalSeparator) {
    TDecimal d = ToDecimal(value);
    if (d.special)
        return SpecialText(value);
    if (d.digits.isEmpty())
        return QStringLiteral("0");
    QString result = d.negative ? QStringLiteral("-") : QString();
    const QByteArray& digits = d.digits;
    if (d.exponent > 15 || d.exponent < -3) {
        result += QChar(digits[0]);
        if (digits.size() > 1) {
            result += decimalSeparator;
            result += QString::fromLatin1(digits.mid(1));
        }
        result += QLatin1Char('E') + QString::number(d.exponent - 1);
        return result;
    }
    if (d.exponent <= 0) {
        result += QLatin1Char('0');
        result += decimalSeparator;
        result += QString(-d.exponent, QLatin1Char('0'));
        result += QString::fromLatin1(digits);
        return result;
    }
    if (digits.size() <= d.exponent) {
        result += QString::fromLatin1(digits);
        result += QString(d.exponent - digits.size(), QLatin1Char('0'));
        return result;
    }
    result += QString::fromLatin1(digits.left(d.exponent));
    result += decimalSeparator;
    result += QString::fromLatin1(digits.mid(d.exponent));
    return result;
}

namespace {
QString FixedText(double value, int decimals, bool thousands) {
    TDecimal d = ToDecimal(value);
    if (d.special)
        return SpecialText(value);
    QByteArray integerPart, fractionPart;
    RoundToPlaces(d, std::max(decimals, 0), integerPart, fractionPart);
    const TFormatSettings& fs = FormatSettings();
    QString result;
    if (d.negative && !AllZero(integerPart, fractionPart))
        result += QLatin1Char('-');
    result += thousands ? GroupThousands(integerPart, fs.ThousandSeparator)
                        : QString::fromLatin1(integerPart);
    if (decimals > 0)
        result += fs.DecimalSeparator + QString::fromLatin1(fractionPart);
    return result;
}
} // namespace

QString FloatToStrFixed(double value, int decimals) { return FixedText(value, decimals, false); }

QString FormatNumber(double value, int decimals) { return FixedText(value, decimals, true); }

namespace {

struct TPatternSection {
    QString prefix, suffix;
    int minInteger = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool thousands = false;
    bool hasPlaceholder = false;
};

QStringList SplitSections(const QString& pattern) {
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
        } else if (c == '"' || c == '\'') {
            quote = c;
            current += c;
        } else if (c == ';') {
            sections << current;
            current.clear();
        } else
            current += c;
    }
    sections << current;
    return sections;
}

TPatternSection ParseSection(const QString& text) {
    TPatternSection s;
    bool inDecimals = false;
    bool seenPlaceholder = false;
    bool pastNumber = false;
    int firstZero = -1, integerCount = 0;
    for (int i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == '"' || c == '\'') {
            int end = text.indexOf(c, i + 1);
            if (end < 0)
                end = text.size();
            QString literal = text.mid(i + 1, end - i - 1);
            (seenPlaceholder ? s.suffix : s.prefix) += literal;
            if (seenPlaceholder)
                pastNumber = true;
            i = end;
            continue;
        }
        bool numberChar = !pastNumber && (c == '0' || c == '#' || c == '.' || c == ',');
        if (!numberChar) {
            (seenPlaceholder ? s.suffix : s.prefix) += c;
            if (seenPlaceholder)
                pastNumber = true;
            continue;
        }
        if (c == '.') {
            inDecimals = true;
            seenPlaceholder = true;
        } else if (c == ',') {
            if (!inDecimals)
                s.thousands = true;
        } else {
            seenPlaceholder = true;
            s.hasPlaceholder = true;
            if (inDecimals) {
                ++s.maxDecimals;
                if (c == '0')
                    s.minDecimals = s.maxDecimals;
            } else {
                if (c == '0' && firstZero < 0)
                    firstZero = integerCount;
                ++integerCount;
            }
        }
    }
    s.minInteger = firstZero < 0 ? 0 : integerCount - firstZero;
    return s;
}

} // namespace

QString FormatFloat(const QString& pattern, double value) {
    TDecimal d = ToDecimal(value);
    if (d.special)
        return SpecialText(value);
    QStringList sections = SplitSections(pattern);
    int index = 0;
    if (d.digits.isEmpty() && sections.size() >= 3 && !sections[2].isEmpty())
        index = 2;
    else if (d.negative && sections.size() >= 2 && !sections[1].isEmpty())
        index = 1;
    TPatternSection s = ParseSection(sections[index]);
    if (!s.hasPlaceholder && pattern.isEmpty())
        return FloatToStr(value);
    QByteArray integerPart, fractionPart;
    RoundToPlaces(d, s.maxDecimals, integerPart, fractionPart);
    // A zero that came from rounding takes the zero section when there is one.
    if (index != 2 && AllZero(integerPart, fractionPart) && sections.size() >= 3 &&
        !sections[2].isEmpty())
        return FormatFloat(sections[2], 0.0);
    while (fractionPart.size() > s.minDecimals && fractionPart.endsWith('0'))
        fractionPart.chop(1);
    while (integerPart.size() > 1 && integerPart.startsWith('0'))
        integerPart.remove(0, 1);
    if (integerPart == "0" && s.minInteger == 0)
        integerPart.clear();
    if (integerPart.size() < s.minInteger)
        integerPart.prepend(QByteArray(s.minInteger - integerPart.size(), '0'));
    const TFormatSettings& fs = FormatSettings();
    QString number = s.thousands ? GroupThousands(integerPart, fs.ThousandSeparator)
                                 : QString::fromLatin1(integerPart);
    if (!fractionPart.isEmpty())
        number += fs.DecimalSeparator + QString::fromLatin1(fractionPart);
    QString sign;
    if (index == 0 && d.negative && !AllZero(integerPart, fractionPart))
        sign = QStringLiteral("-");
    return sign + s.prefix + number + s.suffix;
}

namespace {
QString FloatError(const QString& text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}
QString IntegerError(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}
} // namespace

bool TryStrToFloat(const QString& text, double& value, QChar decimalSeparator) {
    // The number in from_chars' form: digits, a point, an exponent, no "+".
    QByteArray plain;
    int i = 0, n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (negative)
        plain += '-';
    // Decimal place of the first non-zero digit (1 for "5", 0 for "0.5",
    // -1 for "0.05"), to tell an overflow from an underflow.
    int magnitude = 0;
    bool significant = false;
    int mantissaDigits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        significant = significant || text[i] != '0';
        if (significant)
            ++magnitude;
        plain += char(text[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && text[i] == decimalSeparator) {
        plain += '.';
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            if (!significant && text[i] == '0')
                --magnitude;
            significant = significant || text[i] != '0';
            plain += char(text[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    int exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        if (negativeExponent)
            plain += '-';
        int exponentDigits = 0;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i].unicode() - '0');
            plain += char(text[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        return false;
    // from_chars, not strtod: the C library locale must not choose the point.
    double result = 0;
    const auto [end, error] = std::from_chars(plain.constData(), plain.constData() + plain.size(), result);
    if (error == std::errc::result_out_of_range) {
        // Too large is no number; too small is zero, as the platform reads it.
        if (magnitude + exponent > 0)
            return false;
        result = negative ? -0.0 : 0.0;
    } else if (error != std::errc() || end != plain.constData() + plain.size())
        return false;
    value = result;
    return true;
}

bool TryStrToFloat(const QString& text, double& value) {
    return TryStrToFloat(text, value, FormatSettings().DecimalSeparator);
}

double StrToFloat(const QString& text, QChar decimalSeparator) {
    double value = 0;
    if (!TryStrToFloat(text, value, decimalSeparator))
        throw EConvertError(FloatError(text));
    return value;
}

double StrToFloat(const QString& text) { return StrToFloat(text, FormatSettings().DecimalSeparator); }

bool TryDataToFloat(const QString& text, double& value) { return TryStrToFloat(text, value, QLatin1Char('.')); }

double DataToFloat(const QString& text) { return StrToFloat(text, QLatin1Char('.')); }

double StrToFloatDef(const QString& text, double defaultValue) {
    double value = defaultValue;
    return TryStrToFloat(text, value) ? value : defaultValue;
}

bool TryStrToInt64(const QString& text, int64_t& value) {
    int i = 0, n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < n && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return false;
    // Accumulate as negative so that the most negative value fits.
    int64_t result = 0;
    const int64_t min = std::numeric_limits<int64_t>::min();
    for (; i < n; ++i) {
        int digit;
        char16_t c = text[i].unicode();
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        if (result < (min + digit) / base)
            return false;
        result = result * base - digit;
    }
    if (!negative) {
        if (result == min)
            return false;
        result = -result;
    }
    value = result;
    return true;
}

bool TryStrToInt(const QString& text, int& value) {
    int64_t wide = 0;
    if (!TryStrToInt64(text, wide) || wide < std::numeric_limits<int>::min() ||
        wide > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(wide);
    return true;
}

int64_t StrToInt64(const QString& text) {
    int64_t value = 0;
    if (!TryStrToInt64(text, value))
        throw EConvertError(IntegerError(text));
    return value;
}

int StrToInt(const QString& text) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(IntegerError(text));
    return value;
}

int StrToIntDef(const QString& text, int defaultValue) {
    int value = defaultValue;
    return TryStrToInt(text, value) ? value : defaultValue;
}

QString IntToStr(int64_t value) { return QString::number(value); }
