#include "DateTime.h"
#include "Exceptions.h"
#include "FormatSettings.h"
#include "TestMain.h"

#include <QTest>

class TestDateTime : public QObject {
    Q_OBJECT
private slots:
    void init() { FormatSettings() = TFormatSettings(); }

    void epochAndConversions() {
        QCOMPARE(EncodeDate(1899, 12, 30), 0.0);
        QCOMPARE(EncodeDate(1900, 1, 1), 2.0);
        QCOMPARE(EncodeDate(2026, 12, 10), 46366.0);
        QCOMPARE(ToQDate(0.0), QDate(1899, 12, 30));
        QCOMPARE(ToQDate(-1.0), QDate(1899, 12, 29));
        // Before the epoch the fraction is still the time of day.
        QCOMPARE(ToQDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
        QCOMPARE(DateTimeOf(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
        int y, m, d;
        DecodeDate(46366.75, y, m, d);
        QCOMPARE(QDate(y, m, d), QDate(2026, 12, 10));
        int h, n, s, z;
        DecodeTime(EncodeTime(13, 45, 30, 250), h, n, s, z);
        QCOMPARE(QTime(h, n, s, z), QTime(13, 45, 30, 250));
        try {
            EncodeDate(2026, 2, 30);
            QFAIL("no error raised");
        } catch (const EConvertError&) {
        }
    }

    void format_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        // 5 March 2026, 09:07:03.045
        QTest::newRow("dd.mm.yyyy") << "dd.mm.yyyy" << "05.03.2026";
        QTest::newRow("ddmmyy") << "ddmmyy" << "050326";
        QTest::newRow("yyyymmdd") << "yyyymmdd" << "20260305";
        QTest::newRow("hhmmss") << "hhmmss" << "090703";
        QTest::newRow("hh:nn:ss") << "hh:nn:ss" << "09:07:03";
        QTest::newRow("dd-mm-yy") << "dd-mm-yy" << "05-03-26";
        QTest::newRow("backslashes stand") << "DD\\MM\\YY" << "05\\03\\26";
        QTest::newRow("slash is date separator") << "d/m/yyyy" << "5-3-2026";
        QTest::newRow("upper case") << "DD.MM.YYYY" << "05.03.2026";
        QTest::newRow("month names") << "d mmm yyyy, mmmm" << "5 Mar 2026, March";
        QTest::newRow("day names") << "ddd dddd" << "Thu Thursday";
        QTest::newRow("minutes after hour") << "h:m" << "9:7";
        QTest::newRow("milliseconds") << "ss.zzz" << "03.045";
        QTest::newRow("quoted literal") << "'day' d" << "day 5";
        QTest::newRow("short date") << "ddddd" << "05-03-2026";
    }
    void format() {
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        TDateTime value = EncodeDate(2026, 3, 5) + EncodeTime(9, 7, 3, 45);
        QCOMPARE(FormatDateTime(pattern, value), expected);
    }

    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QDateTime>("expected");
        const int century = QDate::currentDate().year() / 100 * 100;
        QTest::newRow("dd.mm.yyyy") << "05.03.2026" << "dd.mm.yyyy" << true
                                    << QDateTime(QDate(2026, 3, 5), QTime(0, 0));
        QTest::newRow("single digits") << "5.3.2026" << "dd.mm.yyyy" << true
                                       << QDateTime(QDate(2026, 3, 5), QTime(0, 0));
        QTest::newRow("ddmmyy") << "050390" << "ddmmyy" << true
                                << QDateTime(QDate(century + 90, 3, 5), QTime(0, 0));
        QTest::newRow("yyyymmdd") << "19900305" << "yyyymmdd" << true
                                  << QDateTime(QDate(1990, 3, 5), QTime(0, 0));
        QTest::newRow("hhmmss") << "235959" << "hhmmss" << true
                                << QDateTime(QDate(1899, 12, 30), QTime(23, 59, 59));
        QTest::newRow("two-digit year") << "05-03-26" << "dd-mm-yy" << true
                                        << QDateTime(QDate(century + 26, 3, 5), QTime(0, 0));
        QTest::newRow("four digits in a yy field") << "05-03-1950" << "dd-mm-yy" << true
                                                   << QDateTime(QDate(1950, 3, 5), QTime(0, 0));
        QTest::newRow("backslash format") << "05\\03\\26" << "DD\\MM\\YY" << true
                                          << QDateTime(QDate(century + 26, 3, 5), QTime(0, 0));
        QTest::newRow("29 February leap") << "29.02.2024" << "dd.mm.yyyy" << true
                                          << QDateTime(QDate(2024, 2, 29), QTime(0, 0));
        QTest::newRow("29 February non-leap") << "29.02.2026" << "dd.mm.yyyy" << false << QDateTime();
        QTest::newRow("month 13") << "130190" << "mmddyy" << false << QDateTime();
        QTest::newRow("short fixed field") << "05039" << "ddmmyy" << false << QDateTime();
        QTest::newRow("letters") << "ab.cd.efgh" << "dd.mm.yyyy" << false << QDateTime();
        QTest::newRow("trailing text") << "05.03.2026x" << "dd.mm.yyyy" << false << QDateTime();
        QTest::newRow("empty") << "" << "dd.mm.yyyy" << false << QDateTime();
        QTest::newRow("hour 24") << "240000" << "hhmmss" << false << QDateTime();
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(bool, valid);
        QFETCH(QDateTime, expected);
        if (valid) {
            QCOMPARE(ToQDateTime(StrToDateFmt(text, pattern)), expected);
            return;
        }
        try {
            StrToDateFmt(text, pattern);
            QFAIL("no error raised");
        } catch (const EConvertError& e) {
            QCOMPARE(e.Message(), QString("'%1' is not a valid date").arg(text));
        }
    }

    void shortDateFormatRoundTrip_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::newRow("dd-mm-yyyy") << "dd-mm-yyyy" << "-" << "05-03-1950";
        QTest::newRow("mm/dd/yyyy") << "mm/dd/yyyy" << "/" << "03/05/1950";
        QTest::newRow("yyyy.mm.dd") << "yyyy.mm.dd" << "." << "1950.03.05";
    }
    void shortDateFormatRoundTrip() {
        QFETCH(QString, format);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        FormatSettings().ShortDateFormat = format;
        FormatSettings().DateSeparator = separator[0];
        TDateTime value = StrToDate(text);
        QCOMPARE(ToQDate(value), QDate(1950, 3, 5));
        QCOMPARE(DateToStr(value), text);
    }
};

TAVLO_TEST(TestDateTime);
#include "tst_DateTime.moc"
