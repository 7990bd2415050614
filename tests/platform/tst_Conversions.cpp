#include "Conversions.h"
#include "Exceptions.h"
#include "FormatSettings.h"
#include "TestLocale.h"
#include "TestMain.h"

#include <QTest>

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void init() { FormatSettings() = TFormatSettings(); }

    void round_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("0.5 to even 0") << 0.5 << qint64(0);
        QTest::newRow("1.5 to even 2") << 1.5 << qint64(2);
        QTest::newRow("2.5 to even 2") << 2.5 << qint64(2);
        QTest::newRow("3.5 to even 4") << 3.5 << qint64(4);
        QTest::newRow("-0.5 to even 0") << -0.5 << qint64(0);
        QTest::newRow("-1.5 to even -2") << -1.5 << qint64(-2);
        QTest::newRow("-2.5 to even -2") << -2.5 << qint64(-2);
        QTest::newRow("2.4999 down") << 2.4999 << qint64(2);
        QTest::newRow("2.5001 up") << 2.5001 << qint64(3);
        QTest::newRow("-2.6 away") << -2.6 << qint64(-3);
        QTest::newRow("large") << 4503599627370495.5 << qint64(4503599627370496);
    }
    void round() {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        QCOMPARE(Round(value), expected);
    }

    void floatToStr_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0.1+0.2") << 0.1 + 0.2 << "." << "0.3";
        QTest::newRow("1/3") << 1.0 / 3.0 << "." << "0.333333333333333";
        QTest::newRow("2/3 rounds last digit") << 2.0 / 3.0 << "." << "0.666666666666667";
        QTest::newRow("100") << 100.0 << "." << "100";
        QTest::newRow("2.5") << 2.5 << "." << "2.5";
        QTest::newRow("2.5 comma") << 2.5 << "," << "2,5";
        QTest::newRow("-0.5") << -0.5 << "." << "-0.5";
        QTest::newRow("-0.5 comma") << -0.5 << "," << "-0,5";
        QTest::newRow("zero") << 0.0 << "." << "0";
        QTest::newRow("negative zero") << -0.0 << "." << "0";
        QTest::newRow("15 integer digits") << 123456789012345.0 << "." << "123456789012345";
        QTest::newRow("16 integer digits") << 1234567890123456.0 << "." << "1.23456789012346E15";
        QTest::newRow("1E20") << 1e20 << "." << "1E20";
        QTest::newRow("0.0001 fixed") << 0.0001 << "." << "0.0001";
        QTest::newRow("0.00001 exponent") << 0.00001 << "." << "1E-5";
        QTest::newRow("-1.5E-7") << -1.5e-7 << "," << "-1,5E-7";
        QTest::newRow("38.67") << 38.67 << "." << "38.67";
    }
    void floatToStr() {
        QFETCH(double, value);
        QFETCH(QString, separator);
        QFETCH(QString, expected);
        FormatSettings().DecimalSeparator = separator[0];
        QCOMPARE(FloatToStr(value), expected);
    }

    void formats_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("expected");
        QTest::newRow("general pattern") << "#0.############" << 5.678 << "." << "5.678";
        QTest::newRow("general pattern integer") << "#0.############" << 12.0 << "." << "12";
        QTest::newRow("general pattern zero") << "#0.############" << 0.0 << "." << "0";
        QTest::newRow("general pattern comma") << "#0.############" << 0.1 + 0.2 << "," << "0,3";
        QTest::newRow("thousands one decimal") << "#,##0.#" << 1234567.25 << "." << "1,234,567.3";
        QTest::newRow("thousands small") << "#,##0.#" << 12.0 << "." << "12";
        QTest::newRow("thousands negative") << "#,##0.#" << -1234.56 << "." << "-1,234.6";
        QTest::newRow("fixed zeros") << "0.00" << 2.5 << "," << "2,50";
        QTest::newRow("half away from zero") << "0" << 2.5 << "." << "3";
        QTest::newRow("half away negative") << "0" << -2.5 << "." << "-3";
        QTest::newRow("0.35 on decimal digits") << "0.0" << 0.35 << "." << "0.4";
        QTest::newRow("leading zeros") << "000" << 7.0 << "." << "007";
        QTest::newRow("no integer digit") << "#.##" << 0.5 << "." << ".5";
        QTest::newRow("quoted literal") << "0.0 'mmol/L'" << 5.0 << "." << "5.0 mmol/L";
        QTest::newRow("negative section") << "0.0;(0.0)" << -1.25 << "." << "(1.3)";
        QTest::newRow("zero section") << "0.0;-0.0;'none'" << 0.0 << "." << "none";
        QTest::newRow("rounds to zero") << "0.0" << -0.01 << "." << "0.0";
    }
    void formats() {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, separator);
        QFETCH(QString, expected);
        FormatSettings().DecimalSeparator = separator[0];
        FormatSettings().ThousandSeparator = separator == "," ? QChar('.') : QChar(',');
        QCOMPARE(FormatFloat(pattern, value), expected);
    }

    void fixedAndNumber() {
        QCOMPARE(FloatToStrFixed(2.5, 0), QString("3"));
        QCOMPARE(FloatToStrFixed(1.0 / 3.0, 2), QString("0.33"));
        QCOMPARE(FloatToStrFixed(-0.004, 2), QString("0.00"));
        QCOMPARE(FloatToStrFixed(99.995, 2), QString("100.00"));
        QCOMPARE(FormatNumber(1234567.891, 2), QString("1,234,567.89"));
        FormatSettings().DecimalSeparator = ',';
        FormatSettings().ThousandSeparator = '.';
        QCOMPARE(FormatNumber(-1234.5, 1), QString("-1.234,5"));
        QCOMPARE(FormatNumber(999.0, 0), QString("999"));
    }

    void strToFloat_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("expected");
        QTest::newRow("point") << "2.5" << "." << true << 2.5;
        QTest::newRow("comma") << "2,5" << "," << true << 2.5;
        QTest::newRow("comma when point") << "2,5" << "." << false << 0.0;
        QTest::newRow("point when comma") << "2.5" << "," << false << 0.0;
        QTest::newRow("blanks around") << "  -0.5 " << "." << true << -0.5;
        QTest::newRow("plus sign") << "+7" << "." << true << 7.0;
        QTest::newRow("exponent") << "1.5E-7" << "." << true << 1.5e-7;
        QTest::newRow("no integer part") << ".25" << "." << true << 0.25;
        QTest::newRow("trailing separator") << "3." << "." << true << 3.0;
        QTest::newRow("empty") << "" << "." << false << 0.0;
        QTest::newRow("only sign") << "-" << "." << false << 0.0;
        QTest::newRow("letters") << "abc" << "." << false << 0.0;
        QTest::newRow("trailing text") << "12 mg" << "." << false << 0.0;
        QTest::newRow("thousands separator") << "1,234.5" << "." << false << 0.0;
        QTest::newRow("bare exponent") << "1E" << "." << false << 0.0;
        QTest::newRow("overflow") << "1E999" << "." << false << 0.0;
    }
    void strToFloat() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(bool, valid);
        QFETCH(double, expected);
        FormatSettings().DecimalSeparator = separator[0];
        if (valid) {
            QCOMPARE(StrToFloat(text), expected);
            return;
        }
        try {
            StrToFloat(text);
            QFAIL("no error raised");
        } catch (const EConvertError& e) {
            QCOMPARE(e.Message(), QString("'%1' is not a valid floating point value").arg(text));
        }
    }

    void strToFloatWithPoint() {
        FormatSettings().DecimalSeparator = ',';
        QCOMPARE(StrToFloat("2.5", QChar('.')), 2.5);
        double value = 0;
        QVERIFY(!TryStrToFloat("2,5", value, QChar('.')));
        QCOMPARE(StrToFloatDef("x", 9.0), 9.0);
    }

    void strToInt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("plain") << "42" << true << qint64(42);
        QTest::newRow("negative") << "-42" << true << qint64(-42);
        QTest::newRow("leading blanks") << "  7" << true << qint64(7);
        QTest::newRow("hex dollar") << "$1F" << true << qint64(31);
        QTest::newRow("hex 0x") << "0x10" << true << qint64(16);
        QTest::newRow("negative hex") << "-$10" << true << qint64(-16);
        QTest::newRow("int max") << "2147483647" << true << qint64(2147483647);
        QTest::newRow("int min") << "-2147483648" << true << qint64(-2147483648LL);
        QTest::newRow("int overflow") << "2147483648" << false << qint64(0);
        QTest::newRow("trailing blank") << "7 " << false << qint64(0);
        QTest::newRow("decimal") << "2.5" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("bare dollar") << "$" << false << qint64(0);
        QTest::newRow("hex letter without dollar") << "1F" << false << qint64(0);
    }
    void strToInt() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, expected);
        if (valid) {
            QCOMPARE(qint64(StrToInt(text)), expected);
            return;
        }
        try {
            StrToInt(text);
            QFAIL("no error raised");
        } catch (const EConvertError& e) {
            QCOMPARE(e.Message(), QString("'%1' is not a valid integer value").arg(text));
        }
    }

    void strToInt64Limits() {
        QCOMPARE(StrToInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
        QCOMPARE(StrToInt64("9223372036854775807"), std::numeric_limits<int64_t>::max());
        int64_t value = 0;
        QVERIFY(!TryStrToInt64("9223372036854775808", value));
        QCOMPARE(StrToIntDef("x", -1), -1);
    }

    void separatorScope() {
        {
            TDecimalSeparatorScope scope(',');
            QCOMPARE(FloatToStr(2.5), QString("2,5"));
        }
        QCOMPARE(FloatToStr(2.5), QString("2.5"));
        try {
            TDecimalSeparatorScope scope(',');
            throw EAbort();
        } catch (const EAbort&) {
        }
        QCOMPARE(FormatSettings().DecimalSeparator, QChar('.'));
    }
};

TAVLO_TEST(TestConversions);

// The same texts and numbers whatever LC_NUMERIC of the desktop says.
class TestConversionsInLocale : public QObject {
    Q_OBJECT
private slots:
    void init() { FormatSettings() = TFormatSettings(); }

    void read_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("expected");
        QTest::newRow("point") << "1.5" << "." << true << 1.5;
        QTest::newRow("quarter") << "0.25" << "." << true << 0.25;
        QTest::newRow("factor") << "38.67" << "." << true << 38.67;
        QTest::newRow("signs and exponent") << " -2.5E-3 " << "." << true << -0.0025;
        QTest::newRow("plus") << "+7.5" << "." << true << 7.5;
        QTest::newRow("comma of the country") << "2,5" << "," << true << 2.5;
        QTest::newRow("comma when point") << "2,5" << "." << false << 0.0;
        QTest::newRow("underflow reads as zero") << "1E-400" << "." << true << 0.0;
        QTest::newRow("overflow") << "12.5E999" << "." << false << 0.0;
        QTest::newRow("overflow of a small mantissa") << "0.001E312" << "." << false << 0.0;
    }
    void read() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(bool, valid);
        QFETCH(double, expected);
        InEveryLocale([&] {
            double value = -1;
            QCOMPARE(TryStrToFloat(text, value, separator[0]), valid);
            if (valid)
                QCOMPARE(value, expected);
            if (separator == ".") {
                double data = -1;
                QCOMPARE(TryDataToFloat(text, data), valid);
                if (valid)
                    QCOMPARE(data, expected);
            }
        });
    }

    void write() {
        InEveryLocale([] {
            QCOMPARE(FloatToStr(2.5), QString("2.5"));
            QCOMPARE(FloatToStr(1.5e-7), QString("1.5E-7"));
            QCOMPARE(FloatToStr(1e20), QString("1E20"));
            QCOMPARE(FloatToStr(2.5, QChar(',')), QString("2,5"));
            QCOMPARE(FloatToStrFixed(193.35, 1), QString("193.4"));
            QCOMPARE(FormatFloat("#0.############", 193.35), QString("193.35"));
            QCOMPARE(FormatNumber(1234.5, 2), QString("1,234.50"));
        });
    }
};

TAVLO_TEST(TestConversionsInLocale);
#include "tst_Conversions.moc"
