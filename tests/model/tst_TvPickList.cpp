#include "ModelFixture.h"
#include "ParserError.h"
#include "TestLocale.h"
#include "TestMain.h"
#include "TvPickList.h"

#include <QTest>

class TestTvPickList : public QObject {
    Q_OBJECT
private slots:
    void definitions_data() {
        QTest::addColumn<QString>("definition");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("source");
        QTest::addColumn<int>("decimals");
        // Items start with 3 decimals: only a range changes them.
        QTest::newRow("halves") << "(0;2;0.5)" << "." << QStringList{"0.0", "0.5", "1.0", "1.5", "2.0"}
                                << QStringList{"0.0", "0.5", "1.0", "1.5", "2.0"} << 1;
        QTest::newRow("halves with comma") << "(0;2;0.5)" << "," << QStringList{"0,0", "0,5", "1,0", "1,5", "2,0"}
                                           << QStringList{"0,0", "0,5", "1,0", "1,5", "2,0"} << 1;
        QTest::newRow("whole steps") << "(1;3;1)" << "." << QStringList{"1", "2", "3"} << QStringList{"1", "2", "3"} << 0;
        QTest::newRow("step 0 counts as 1") << "(0;1;0)" << "." << QStringList{"0", "1"} << QStringList{"0", "1"} << 0;
        QTest::newRow("negative step counts as 1") << "(0;1;-1)" << "." << QStringList{"0", "1"} << QStringList{"0", "1"} << 0;
        QTest::newRow("step 20") << "(10;50;20)" << "." << QStringList{"10", "30", "50"} << QStringList{"10", "30", "50"} << 0;
        QTest::newRow("hundredths") << "(0;0.1;0.05)" << "." << QStringList{"0.00", "0.05", "0.10"}
                                    << QStringList{"0.00", "0.05", "0.10"} << 2;
        QTest::newRow("end reached despite rounding") << "(0.1;0.3;0.1)" << "." << QStringList{"0.1", "0.2", "0.3"}
                                                      << QStringList{"0.1", "0.2", "0.3"} << 1;
        QTest::newRow("negative numbers") << "(-2;2;2)" << "." << QStringList{"-2", "0", "2"} << QStringList{"-2", "0", "2"} << 0;
        QTest::newRow("end below start") << "(3;1;1)" << "." << QStringList{} << QStringList{} << 0;
        QTest::newRow("blanks between tokens") << " ( 1 ; 2 ; 1 ) " << "." << QStringList{"1", "2"} << QStringList{"1", "2"} << 0;
        QTest::newRow("named values") << "[Never;0],[Former;1],[Current;2]" << "."
                                      << QStringList{"Never", "Former", "Current"} << QStringList{"0", "1", "2"} << 3;
        QTest::newRow("words without quotes lose the blanks") << "[Not at all;0]" << "." << QStringList{"Notatall"}
                                                              << QStringList{"0"} << 3;
        QTest::newRow("quoted text keeps the blanks") << "['Not at all';0]" << "." << QStringList{"Not at all"}
                                                      << QStringList{"0"} << 3;
        QTest::newRow("quote inside quotes") << "['It''s';1]" << "." << QStringList{"It's"} << QStringList{"1"} << 3;
        QTest::newRow("character codes") << "[#65#66;1]" << "." << QStringList{"AB"} << QStringList{"1"} << 3;
        QTest::newRow("letters outside ASCII") << "[Vægt;1],['Nuværende';2]" << "." << QStringList{"Vægt", "Nuværende"}
                                               << QStringList{"1", "2"} << 3;
        QTest::newRow("empty text") << "[;4]" << "." << QStringList{""} << QStringList{"4"} << 3;
        QTest::newRow("named float with comma") << "[Half;0.5],[Minus;-1.25]" << "," << QStringList{"Half", "Minus"}
                                                << QStringList{"0,5", "-1,25"} << 3;
        QTest::newRow("range then named") << "(1;2;1),[Unknown;-1]" << "." << QStringList{"1", "2", "Unknown"}
                                          << QStringList{"1", "2", "-1"} << 0;
        QTest::newRow("trailing comma") << "[A;1]," << "." << QStringList{"A"} << QStringList{"1"} << 3;
        QTest::newRow("empty definition") << "" << "." << QStringList{} << QStringList{} << 3;
    }
    void definitions() {
        QFETCH(QString, definition);
        QFETCH(QString, separator);
        QFETCH(QStringList, values);
        QFETCH(QStringList, source);
        QFETCH(int, decimals);
        TDecimalSeparatorScope process('.');
        InEveryLocale([&] {
            TPickList list;
            list.SetSeparator(separator[0]);
            TPickItem& item = list.AddItem(5, definition, "u", 3, 1);
            QCOMPARE(item.Values, values);
            QCOMPARE(item.Source, source);
            QCOMPARE(item.Decimals, decimals);
            QCOMPARE(item.RiskId(), 5);
            QCOMPARE(item.RiskType, 1);
            QCOMPARE(item.StoreUnit, QString("u"));
            QCOMPARE(FormatSettings().DecimalSeparator, QChar('.'));
        });
    }

    void longRangeReachesItsEnd() {
        TPickList list;
        list.SetSeparator('.');
        TPickItem& item = list.AddItem(19, "(0.5;3.05;0.1)", "mmol/L", 1, 1);
        QCOMPARE(item.Values.size(), 26);
        QCOMPARE(item.Values.first(), QString("0.5"));
        QCOMPARE(item.Values[15], QString("2.0"));
        QCOMPARE(item.Values.last(), QString("3.0"));
    }

    void failures_data() {
        QTest::addColumn<QString>("definition");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("lexical"); // the platform's parser error, else EValueError
        QTest::newRow("one word") << "Word" << "7: Comma expected" << false;
        QTest::newRow("a number") << "5" << "7: Comma expected" << false;
        QTest::newRow("no comma between") << "[A;1] [B;2]" << "7: Comma expected" << false;
        QTest::newRow("junk after range") << "(1;2;1)x" << "7: Comma expected" << false;
        QTest::newRow("two commas") << "[A;1],,[B;2]" << "7: Comma expected" << false;
        QTest::newRow("word for a value") << "[A;x]" << "7: Number expected" << false;
        QTest::newRow("word for from") << "(a;2;1)" << "7: Number expected" << false;
        QTest::newRow("malformed float") << "(1;2;1.2.3)" << "7: Number expected" << false;
        QTest::newRow("minus alone") << "(1;2;-)" << "7: Number expected" << false;
        QTest::newRow("quoted number") << "['1';'2']" << "7: Number expected" << false;
        QTest::newRow("overflowing number") << "(0;1e999;1)" << "7: Number expected" << false;
        QTest::newRow("text runs to the end") << "[A" << "7: String expected" << false;
        QTest::newRow("text without semicolon") << "[Yes]" << "7: String expected" << false;
        QTest::newRow("too many values") << "(0;1000000;1)" << "7: Too many values" << false;
        QTest::newRow("commas in a range") << "(1,2,1)" << "7: '';'' expected on line 1" << true;
        QTest::newRow("range not closed") << "(1;2;1" << "7: '')'' expected on line 1" << true;
        QTest::newRow("range closed wrongly") << "(1;2;1]" << "7: '')'' expected on line 1" << true;
        QTest::newRow("named not closed") << "[A;1" << "7: '']'' expected on line 1" << true;
        QTest::newRow("named closed wrongly") << "[A;1)" << "7: '']'' expected on line 1" << true;
        QTest::newRow("second line") << "[A;1],\n[B;2" << "7: '']'' expected on line 2" << true;
        QTest::newRow("open quote") << "['open;1]" << "7: Invalid string constant on line 1" << true;
    }
    void failures() {
        QFETCH(QString, definition);
        QFETCH(QString, message);
        QFETCH(bool, lexical);
        TPickList list;
        auto add = [&] { list.AddItem(7, definition, QString(), 0, 2); };
        QCOMPARE(ErrorOf(add), message);
        if (lexical)
            QVERIFY(Raises<EParserError>(add));
        else
            QVERIFY(Raises<EValueError>(add));
    }

    void failingItemKeepsWhatWasParsed() {
        TDecimalSeparatorScope process('.');
        TPickList list;
        list.SetSeparator(',');
        list.AddItem(1, "[No;0]", QString(), 0, 2);
        QCOMPARE(ErrorOf([&] { list.AddItem(2, "(0;1;0.5),[B", QString(), 0, 1); }), QString("2: String expected"));
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list[1].RiskId(), 2);
        QCOMPARE(list[1].Values, QStringList({"0,0", "0,5", "1,0"}));
        QCOMPARE(list[1].Decimals, 1);
        // The process's separator is back after the failure.
        QCOMPARE(FormatSettings().DecimalSeparator, QChar('.'));
    }

    void separatorStartsAsTheCurrentOne() {
        TDecimalSeparatorScope process(',');
        TPickList list;
        QCOMPARE(list.Separator(), QChar(','));
        FormatSettings().DecimalSeparator = '.';
        QCOMPARE(list.Separator(), QChar(','));
    }

    void valueToText_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("definition");
        QTest::addColumn<QString>("separator"); // the list's and the process's
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        const QString choices = "[Never;0],[Former;1],[Current;2]";
        QTest::newRow("named value") << 2 << choices << "." << 1.0 << "Former";
        QTest::newRow("first named value") << 2 << choices << "." << 0.0 << "Never";
        QTest::newRow("not among them") << 2 << choices << "." << 3.0 << "0";
        QTest::newRow("between them") << 2 << choices << "." << 1.5 << "0";
        QTest::newRow("fractional choice, comma") << 2 << "[Half;0.5],[One;1]" << "," << 0.5 << "Half";
        QTest::newRow("measured, fixed decimals") << 1 << "(0;1;0.1)" << "." << 5.26 << "5.3";
        QTest::newRow("measured, padded") << 1 << "(0;1;0.1)" << "." << 5.0 << "5.0";
        QTest::newRow("measured, comma") << 1 << "(0;1;0.1)" << "," << 5.0 << "5,0";
        QTest::newRow("measured, whole") << 1 << "(80;90;5)" << "." << 127.6 << "128";
        QTest::newRow("type 0 is measured") << 0 << "[A;1]" << "." << 1.0 << "1";
    }
    void valueToText() {
        QFETCH(int, type);
        QFETCH(QString, definition);
        QFETCH(QString, separator);
        QFETCH(double, value);
        QFETCH(QString, text);
        TDecimalSeparatorScope process(separator[0]);
        TPickList list;
        QCOMPARE(list.AddItem(3, definition, QString(), 0, type).ValueToText(value), text);
    }

    void textToValue_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("named text") << 2 << "" << "." << "Former" << 1.0;
        QTest::newRow("case ignored") << 2 << "" << "." << "CURRENT" << 2.0;
        QTest::newRow("case ignored outside ASCII") << 2 << "" << "." << "NUVÆRENDE" << 3.0;
        QTest::newRow("not among them") << 2 << "" << "." << "Sometimes" << 0.0;
        QTest::newRow("a number is not a choice") << 2 << "" << "." << "1" << 0.0;
        QTest::newRow("unit typed") << 1 << "u" << "," << "5,2 U" << 5.2;
        QTest::newRow("without unit") << 1 << "u" << "," << "5,2" << 5.2;
        QTest::newRow("unit in other case") << 1 << "mmol/L" << "." << " 5.5 MMOL/L" << 5.5;
        QTest::newRow("unit glued to the number") << 1 << "kg" << "." << "81kg" << 81.0;
        QTest::newRow("unit outside ASCII") << 1 << "kg/m²" << "." << "25 kg/m²" << 25.0;
        QTest::newRow("no store unit") << 1 << "" << "." << " 7.25 " << 7.25;
        QTest::newRow("negative") << 1 << "u" << "." << "-3 u" << -3.0;
    }
    void textToValue() {
        QFETCH(int, type);
        QFETCH(QString, unit);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QFETCH(double, value);
        TDecimalSeparatorScope process(separator[0]);
        InEveryLocale([&] {
            TPickList list;
            TPickItem& item = list.AddItem(3, "[Never;0],[Former;1],[Current;2],['Nuværende';3]", unit, 1, type);
            QCOMPARE(item.TextToValue(text), value);
        });
    }

    void textToValueRefusesWhatIsNoNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("unit only") << "u";
        QTest::newRow("word") << "abc";
        QTest::newRow("empty") << "";
        QTest::newRow("point with comma separator") << "5.2 u";
    }
    void textToValueRefusesWhatIsNoNumber() {
        QFETCH(QString, text);
        TDecimalSeparatorScope process(',');
        TPickList list;
        TPickItem& item = list.AddItem(3, "(0;1;1)", "u", 0, 1);
        QVERIFY(Raises<EConvertError>([&] { item.TextToValue(text); }));
    }

    void namedValuesRoundTripWithTheListSeparator() {
        // The list is written with the country's separator while the process
        // still has another one: the choices are found all the same.
        TDecimalSeparatorScope process('.');
        TPickList list;
        list.SetSeparator(',');
        TPickItem& item = list.AddItem(3, "[Half;0.5],[One;1]", QString(), 0, 2);
        QCOMPARE(item.Source, QStringList({"0,5", "1"}));
        QCOMPARE(item.ValueToText(0.5), QString("Half"));
        QCOMPARE(item.TextToValue("half"), 0.5);
    }

    void load() {
        auto names = NamesTable({{1, 1, 1, "Systolic BP"},
                                 {1, 1, 2, "(80;90;5)"},
                                 {1, 1, 3, "mm Hg"},
                                 {1, 3, 2, "[No;0],[Yes;1]"},
                                 {2, 3, 3, "other country"},
                                 {1, 2, 2, "(2;3;0.5)"},
                                 {1, 2, 3, ""},
                                 {1, 99, 2, "[A;1]"}});
        auto risks = RisksTable({{1, 1, 0, "mmHg"}, {2, 1, 3, "mmol/L"}, {3, 2, 0, QVariant()}});
        TPickList list;
        list.SetSeparator('.');
        list.AddItem(50, "[Old;1]", QString(), 0, 2);
        for (int pass = 0; pass < 2; ++pass) {
            // The second load starts with the view already showing only the
            // definitions: the units are found all the same.
            list.Load(names.get(), risks.get());
            QCOMPARE(names->SelectType(), 2);
            QCOMPARE(names->RecordCount(), 4);
            QCOMPARE(list.Count(), 4);

            const TPickItem& bp = list[0];
            QCOMPARE(bp.RiskId(), 1);
            QCOMPARE(bp.RiskType, 1);
            QCOMPARE(bp.StoreUnit, QString("mm Hg")); // the country's unit text
            QCOMPARE(bp.Values, QStringList({"80", "85", "90"}));

            const TPickItem& smoking = list[1];
            QCOMPARE(smoking.RiskId(), 3);
            QCOMPARE(smoking.RiskType, 2);
            QCOMPARE(smoking.StoreUnit, QString()); // another country's unit is not taken
            QCOMPARE(smoking.ValueToText(1), QString("Yes"));

            const TPickItem& chol = list[2];
            QCOMPARE(chol.StoreUnit, QString("mmol/L")); // an empty unit text falls back to UnitName
            QCOMPARE(chol.Decimals, 1);                  // the range's, not the factor's 3
            QCOMPARE(chol.Values, QStringList({"2.0", "2.5", "3.0"}));

            const TPickItem& unknown = list[3];
            QCOMPARE(unknown.RiskId(), 99);
            QCOMPARE(unknown.RiskType, 0);
            QCOMPARE(unknown.Decimals, 0);
            QCOMPARE(unknown.StoreUnit, QString());
            QCOMPARE(unknown.Values, QStringList({"A"}));
            QVERIFY(list.FindByRiskId(50) == nullptr);
        }
    }

    void loadStopsAtABadDefinition() {
        auto names = NamesTable({{1, 3, 2, "[No;0],[Yes;1]"}, {1, 2, 2, "(2;x;1)"}, {1, 1, 2, "(80;90;5)"}});
        auto risks = RisksTable({{1, 1, 0, "mmHg"}, {2, 1, 1, "mmol/L"}, {3, 2, 0, QVariant()}});
        TPickList list;
        QVERIFY(Raises<EValueError>([&] { list.Load(names.get(), risks.get()); }));
        QCOMPARE(ErrorOf([&] { list.Load(names.get(), risks.get()); }), QString("2: Number expected"));
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list[1].RiskId(), 2);
        QVERIFY(list.FindByRiskId(1) == nullptr);
        QCOMPARE(names->SelectType(), 2);
    }
};

TAVLO_TEST(TestTvPickList);
#include "tst_TvPickList.moc"
