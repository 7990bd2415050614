// Values, variables, name lists, the built-in functions and the handler contract.

#include "BvExpr.h"
#include "DateTime.h"
#include "ExprTestUtil.h"
#include "FormatSettings.h"
#include "TestMain.h"

#include <QDate>
#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(TDataNode)

namespace {

QString GetterError(const std::function<void()>& get) {
    try {
        get();
    } catch (const EExprError& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

// A custom failure of a host function keeps its class through the machine.
class EHostFailure : public Exception {
public:
    using Exception::Exception;
};

} // namespace

class TestBvExprSource : public QObject {
    Q_OBJECT
private slots:
    void init() { FormatSettings() = TFormatSettings(); }

    void conversions_data() {
        QTest::addColumn<TDataNode>("node");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<bool>("flag");
        QTest::newRow("text number") << TDataNode::FromString("2.5") << "." << "2.5" << 2.5 << false;
        QTest::newRow("text with comma") << TDataNode::FromString("2,5") << "," << "2,5" << 2.5 << false;
        QTest::newRow("text not a number") << TDataNode::FromString("abc") << "." << "abc" << 0.0 << false;
        QTest::newRow("text true") << TDataNode::FromString("tRuE") << "." << "tRuE" << 0.0 << true;
        QTest::newRow("text yes") << TDataNode::FromString("yes") << "." << "yes" << 0.0 << false;
        QTest::newRow("number") << TDataNode::FromNumber(2.5) << "," << "2,5" << 2.5 << true;
        QTest::newRow("number small positive") << TDataNode::FromNumber(0.001) << "." << "0.001" << 0.001 << true;
        QTest::newRow("number zero") << TDataNode::FromNumber(0) << "." << "0" << 0.0 << false;
        QTest::newRow("number negative") << TDataNode::FromNumber(-1) << "." << "-1" << -1.0 << false;
        QTest::newRow("number large") << TDataNode::FromNumber(1e20) << "." << "1E20" << 1e20 << true;
        QTest::newRow("boolean true") << TDataNode::FromBoolean(true) << "." << "TRUE" << 1.0 << true;
        QTest::newRow("boolean false") << TDataNode::FromBoolean(false) << "." << "FALSE" << 0.0 << false;
        QTest::newRow("empty") << TDataNode() << "." << "" << 0.0 << false;
    }
    void conversions() {
        QFETCH(TDataNode, node);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(bool, flag);
        FormatSettings().DecimalSeparator = separator[0];
        QCOMPARE(node.ToText(), text);
        QCOMPARE(node.ToNumber(), number);
        QCOMPARE(node.ToBoolean(), flag);
    }

    void getters_data() {
        QTest::addColumn<TDataNode>("node");
        QTest::addColumn<QString>("asString");
        QTest::addColumn<QString>("asNumber");
        QTest::addColumn<QString>("asBoolean");
        QTest::addColumn<QString>("getNode");
        const QString s = "Variabel 'v' isn''t a string type";
        const QString n = "Variabel 'v' isn't a number type";
        const QString b = "Variabel 'v' isn't a boolean type";
        const QString g = "Variabel 'v' isn't assigned, can't use get node";
        QTest::newRow("text") << TDataNode::FromString("a") << "no error" << n << b << "no error";
        QTest::newRow("number") << TDataNode::FromNumber(1) << s << "no error" << b << "no error";
        QTest::newRow("boolean") << TDataNode::FromBoolean(true) << s << n << "no error" << "no error";
        QTest::newRow("empty") << TDataNode() << s << n << b << g;
    }
    void getters() {
        QFETCH(TDataNode, node);
        QFETCH(QString, asString);
        QFETCH(QString, asNumber);
        QFETCH(QString, asBoolean);
        QFETCH(QString, getNode);
        TVarItem v("v");
        v.SetNode(node);
        QCOMPARE(GetterError([&] { v.AsString(); }), asString);
        QCOMPARE(GetterError([&] { v.AsNumber(); }), asNumber);
        QCOMPARE(GetterError([&] { v.AsInteger(); }), asNumber);
        QCOMPARE(GetterError([&] { v.AsBoolean(); }), asBoolean);
        QCOMPARE(GetterError([&] { v.GetNode(); }), getNode);
    }

    void asInteger_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("2.5 to 2") << 2.5 << qint64(2);
        QTest::newRow("3.5 to 4") << 3.5 << qint64(4);
        QTest::newRow("-2.5 to -2") << -2.5 << qint64(-2);
        QTest::newRow("2.51 to 3") << 2.51 << qint64(3);
    }
    void asInteger() {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        TVarItem v("v");
        v.SetNumber(value);
        QCOMPARE(v.AsInteger(), expected);
    }

    void setNodeAndVariant() {
        TVarItem v("v");
        v.SetNumber(3);
        v.SetNode(TDataNode()); // an empty value leaves the variable unchanged
        QCOMPARE(v.AsNumber(), 3.0);
        v.SetNode(TDataNode::FromString("t"));
        QCOMPARE(v.AsString(), QStringLiteral("t"));
        v.SetVariant(QVariant(QStringLiteral("w")));
        QCOMPARE(v.AsString(), QStringLiteral("w"));
        v.SetVariant(QVariant(1.25));
        QCOMPARE(v.AsNumber(), 1.25);
        v.SetVariant(QVariant(true));
        QCOMPARE(v.AsBoolean(), true);
    }

    void setVariantRefuses_data() {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("integer") << QVariant(5);
        QTest::newRow("date") << QVariant(QDate(2020, 1, 1));
        QTest::newRow("empty") << QVariant();
        QTest::newRow("null text") << QVariant::fromValue(nullptr);
    }
    void setVariantRefuses() {
        QFETCH(QVariant, value);
        TVarItem v("v");
        v.SetNumber(1);
        QCOMPARE(GetterError([&] { v.SetVariant(value); }), QStringLiteral("Variabel v isn't a variant type"));
        QCOMPARE(v.AsNumber(), 1.0);
    }

    void nameLists() {
        TVarList list;
        TVarItem& first = list.FindOrAdd("Alpha");
        QCOMPARE(&list.FindOrAdd("ALPHA"), &first);
        QCOMPARE(list.Find(u"alpha"), &first);
        QCOMPARE(list.Find(u"alph"), nullptr);
        QCOMPARE(first.Name, QStringLiteral("Alpha")); // named as first written
        QCOMPARE(first.Type(), dtEmpty);
        list.SetValue("BETA", TDataNode::FromNumber(2));
        list.SetValue("beta", TDataNode::FromNumber(3));
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Items(1).Name, QStringLiteral("BETA"));
        QCOMPARE(list.Items(1).AsNumber(), 3.0);
        // Non-ASCII letters are compared exactly.
        list.FindOrAdd(QString::fromUtf8("\xc3\xa6"));
        QCOMPARE(list.Find(QString::fromUtf8("\xc3\x86")), nullptr);
    }

    void addFuncTwice() {
        TBvExprSource source(nullptr, false);
        QCOMPARE(source.FuncList().Count(), 0);
        source.FuncList().AddFunc("Coef", 1, [](TVarList&, TVarItem& r) { r.SetNumber(1); });
        source.FuncList().AddFunc("COEF", 2, [](TVarList& p, TVarItem& r) {
            r.SetNumber(p[0].AsNumber() + p[1].AsNumber());
        });
        QCOMPARE(source.FuncList().Count(), 1);
        QCOMPARE(source.FuncList().Items(0).Name, QStringLiteral("Coef"));
        QCOMPARE(source.FuncList().Items(0).ParamCount, 2);
        TBvExprMain formula;
        formula.SetSource(&source);
        formula.SetExpressionText("x := coef(2, 3)");
        formula.Compile();
        formula.Execute();
        QCOMPARE(formula.VarList().Items(0).AsNumber(), 5.0);
    }

    void builtInOrder() {
        TBvExprSource source;
        QStringList names;
        for (int i = 0; i < source.FuncList().Count(); ++i)
            names << QStringLiteral("%1/%2").arg(source.FuncList().Items(i).Name).arg(source.FuncList().Items(i).ParamCount);
        QCOMPARE(names.join(' '),
                 QStringLiteral("NumToStr/1 StrToNum/1 WriteLn/1 Debug/1 Min/2 Max/2 Time/0 Date/0 DecToStr/2 "
                                "StrLength/1 StrCopy/3 StrDelete/3 StrUpper/1 StrLower/1 StrInsert/3 "
                                "StrCompare/2 IndexChar/1 IsLetters/1 IsNum/1"));
    }

    void builtIns_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("NumToStr halves to even") << "x := NumToStr(0.125)" << "text 0.12";
        QTest::newRow("NumToStr half up to even") << "x := NumToStr(0.375)" << "text 0.38";
        QTest::newRow("NumToStr whole") << "x := NumToStr(3)" << "text 3";
        QTest::newRow("NumToStr 2.5") << "x := NumToStr(2.5)" << "text 2.5";
        QTest::newRow("NumToStr negative") << "x := NumToStr(0 - 1.234)" << "text -1.23";
        QTest::newRow("NumToStr of text") << "x := NumToStr('1')" << "run: Variabel '1' isn't a number type";
        QTest::newRow("StrToNum") << "x := StrToNum('2.5')" << "number 2.5";
        QTest::newRow("StrToNum not a number") << "x := StrToNum('2x')" << "run: '2x' is not a valid floating point value";
        QTest::newRow("StrToNum of number") << "x := StrToNum(1)" << "run: Variabel '1' isn''t a string type";
        QTest::newRow("Min") << "x := Min(3, 2)" << "number 2";
        QTest::newRow("Min equal") << "x := Min(2, 2)" << "number 2";
        QTest::newRow("Min first") << "x := Min(1, 2)" << "number 1";
        QTest::newRow("Max") << "x := Max(2, 3)" << "number 3";
        QTest::newRow("Max first") << "x := Max(4, 3)" << "number 4";
        QTest::newRow("Min text first") << "x := Min('a', 1)" << "run: Variabel '1' isn't a number type";
        QTest::newRow("Max text first") << "x := Max('a', 1)" << "run: Variabel '1' isn't a number type";
        QTest::newRow("Max text second") << "x := Max(1, 'a')" << "run: Variabel '2' isn't a number type";
        QTest::newRow("DecToStr") << "x := DecToStr(1234567.891, 2)" << "text 1,234,567.89";
        QTest::newRow("DecToStr no decimals") << "x := DecToStr(1234.4, 0)" << "text 1,234";
        QTest::newRow("DecToStr whole number read rounded") << "x := DecToStr(1, 1.6)" << "text 1.00";
        QTest::newRow("DecToStr 15 integer digits") << "x := DecToStr(999999999999999.0, 0)" << "text 999,999,999,999,999";
        QTest::newRow("DecToStr beyond 15 digits") << "x := DecToStr(1E300, 0)" << "text 1E300";
        QTest::newRow("DecToStr negative beyond") << "x := DecToStr(0 - 1.5E15, 2)" << "text -1.5E15";
        QTest::newRow("StrLength") << "x := StrLength('abc')" << "number 3";
        QTest::newRow("StrLength empty") << "x := StrLength('')" << "number 0";
        QTest::newRow("StrCopy from 0") << "x := StrCopy('abcdef', 0, 3)" << "text abc";
        QTest::newRow("StrCopy middle") << "x := StrCopy('abcdef', 2, 3)" << "text bcd";
        QTest::newRow("StrCopy beyond") << "x := StrCopy('abc', 5, 1)" << "text ";
        QTest::newRow("StrCopy cut at end") << "x := StrCopy('abc', 2, 10)" << "text bc";
        QTest::newRow("StrCopy negative count") << "x := StrCopy('abc', 1, 0 - 1)" << "text ";
        QTest::newRow("StrCopy rounded position") << "x := StrCopy('abcdef', 1.5, 2)" << "text bc";
        QTest::newRow("StrDelete") << "x := StrDelete('abcdef', 2, 3)" << "text aef";
        QTest::newRow("StrDelete index 0") << "x := StrDelete('abc', 0, 1)" << "text abc";
        QTest::newRow("StrDelete beyond") << "x := StrDelete('abc', 4, 1)" << "text abc";
        QTest::newRow("StrDelete cut at end") << "x := StrDelete('abc', 2, 10)" << "text a";
        QTest::newRow("StrUpper") << "x := StrUpper('abc' + #230 + #248)" << QString::fromUtf8("text ABC\xc3\x86\xc3\x98");
        QTest::newRow("StrLower") << "x := StrLower('ABC' + #197)" << QString::fromUtf8("text abc\xc3\xa5");
        // Within the ANSI code page, one character for one.
        QTest::newRow("StrUpper keeps sharp s") << "x := StrUpper('stra' + #223 + 'e')" << QString::fromUtf8("text STRA\xc3\x9f" "E");
        QTest::newRow("StrUpper keeps micro") << "x := StrUpper(#181 + 'g')" << QString::fromUtf8("text \xc2\xb5G");
        QTest::newRow("StrUpper y diaeresis") << "x := StrUpper(#255)" << QString::fromUtf8("text \xc5\xb8");
        QTest::newRow("StrUpper s caron") << "x := StrUpper(#154)" << QString::fromUtf8("text \xc5\xa0");
        QTest::newRow("StrLower Y diaeresis") << "x := StrLower(#159)" << QString::fromUtf8("text \xc3\xbf");
        QTest::newRow("StrLower keeps micro and sharp s") << "x := StrLower(#181 + #223 + 'A')" << QString::fromUtf8("text \xc2\xb5\xc3\x9f" "a");
        QTest::newRow("StrUpper length kept") << "x := StrLength(StrUpper(#223 + #223))" << "number 2";
        QTest::newRow("StrInsert") << "x := StrInsert('X', 'abc', 2)" << "text aXbc";
        QTest::newRow("StrInsert at 0") << "x := StrInsert('X', 'abc', 0)" << "text Xabc";
        QTest::newRow("StrInsert beyond") << "x := StrInsert('X', 'abc', 9)" << "text abcX";
        QTest::newRow("StrInsert after last") << "x := StrInsert('X', 'abc', 4)" << "text abcX";
        QTest::newRow("StrCompare equal") << "x := StrCompare('abc', 'ABC')" << "boolean TRUE";
        QTest::newRow("StrCompare different") << "x := StrCompare('abc', 'abd')" << "boolean FALSE";
        QTest::newRow("StrCompare letters above 127") << "x := StrCompare(#230, #198)" << "boolean TRUE";
        QTest::newRow("IndexChar 0") << "x := IndexChar(0)" << "text 0";
        QTest::newRow("IndexChar 9") << "x := IndexChar(9)" << "text 9";
        QTest::newRow("IndexChar 10") << "x := IndexChar(10)" << "text A";
        QTest::newRow("IndexChar 35") << "x := IndexChar(35)" << "text Z";
        QTest::newRow("IndexChar 36") << "x := IndexChar(36)" << "text [";
        QTest::newRow("IsLetters Danish") << "x := IsLetters('S' + #248 + 'ren' + #216 + #197 + #198 + #229 + #230)" << "boolean TRUE";
        QTest::newRow("IsLetters O umlaut") << "x := IsLetters('B' + #214)" << "boolean FALSE";
        QTest::newRow("IsLetters digit") << "x := IsLetters('ab1')" << "boolean FALSE";
        QTest::newRow("IsLetters blank") << "x := IsLetters('a b')" << "boolean FALSE";
        QTest::newRow("IsLetters empty") << "x := IsLetters('')" << "boolean TRUE";
        QTest::newRow("IsNum") << "x := IsNum('0123456789')" << "boolean TRUE";
        QTest::newRow("IsNum letter") << "x := IsNum('12a')" << "boolean FALSE";
        QTest::newRow("IsNum point") << "x := IsNum('1.5')" << "boolean FALSE";
        QTest::newRow("IsNum empty") << "x := IsNum('')" << "boolean TRUE";
        QTest::newRow("procedure result discarded") << "x := 1 Min(3, 4)" << "number 1";
    }
    void builtIns() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(RunFormula(text), expected);
    }

    void timeAndDate() {
        FormatSettings().ShortDateFormat = "dd.mm.yyyy";
        FormatSettings().DateSeparator = '.';
        QString date = DateToStr(Date());
        QString result = RunFormula("x := Date() y := Time()", "x");
        QString time = RunFormula("y := Time()", "y");
        QVERIFY2(result == "text " + date || result == "text " + DateToStr(Date()), qPrintable(result));
        QVERIFY2(QRegularExpression("^text \\d\\d:\\d\\d:\\d\\d$").match(time).hasMatch(), qPrintable(time));
    }

    void writeLn() {
        TCapturedOutput output;
        FormatSettings().DecimalSeparator = ',';
        QCOMPARE(RunFormula("WriteLn(2.5) WriteLn(TRUE) WriteLn('a' + 'b') x := 1"), QStringLiteral("number 1"));
        QCOMPARE(output.WriteLn, QStringList({"2,5", "TRUE", "ab"}));
        QCOMPARE(RunFormula("x := WriteLn(1)"), QStringLiteral("run: Variabel 'Result' isn't assigned, can't use get node"));
    }

    void handlerContract() {
        TBvExprSource source(nullptr, false);
        QStringList seen;
        source.FuncList().AddFunc("Show", 3, [&seen](TVarList& p, TVarItem& r) {
            QStringList names;
            for (int i = 0; i < p.Count(); ++i)
                names << p[i].Name + "=" + Describe(p[i].Node());
            seen << names.join(',') + " " + r.Name + "=" + Describe(r.Node());
            QCOMPARE(p.Find(u"2"), &p[1]);
            r.SetNumber(seen.size());
        });
        source.FuncList().AddFunc("Log", 1, [&seen](TVarList& p, TVarItem& r) {
            seen << "log " + p[0].GetNode().ToText();
            r.SetNode(p[0].GetNode());
        });
        TBvExprMain formula;
        formula.SetSource(&source);
        formula.SetExpressionText("x := Show(Log(1), 'b', Log(TRUE)) y := Show(Show(1, 2, 3), x, 'z')");
        formula.Compile();
        formula.Execute();
        // Arguments left to right, each completely before the next; a fresh
        // empty Result named Result for every call.
        QCOMPARE(seen, QStringList({"log 1", "log TRUE",
                                    "1=number 1,2=text b,3=boolean TRUE Result=empty",
                                    "1=number 1,2=number 2,3=number 3 Result=empty",
                                    "1=number 4,2=number 3,3=text z Result=empty"}));
        QCOMPARE(formula.VarList().Find(u"y")->AsNumber(), 5.0);
        QCOMPARE(formula.Stack().Position(), 0);
    }

    void handlerWithChangingArgumentCounts() {
        // Parameter lists are reused between calls; a call sees exactly its own arguments.
        TBvExprSource source(nullptr, false);
        source.FuncList().AddFunc("Count1", 1, [](TVarList& p, TVarItem& r) {
            p.FindOrAdd("extra").SetNumber(9); // a handler's own additions do not leak
            r.SetNumber(p.Count());
        });
        source.FuncList().AddFunc("Count3", 3, [](TVarList& p, TVarItem& r) {
            QVERIFY(!p.Find(u"extra"));
            r.SetNumber(p.Count() * 10 + p[2].AsNumber());
        });
        TBvExprMain formula;
        formula.SetSource(&source);
        formula.SetExpressionText("a := Count1(1) b := Count3(1, 2, 3) c := Count1(Count3(4, 5, 6))");
        formula.Compile();
        formula.Execute();
        formula.Execute();
        QCOMPARE(formula.VarList().Find(u"a")->AsNumber(), 2.0);
        QCOMPARE(formula.VarList().Find(u"b")->AsNumber(), 33.0);
        QCOMPARE(formula.VarList().Find(u"c")->AsNumber(), 2.0);
    }

    void handlerFailurePassesThrough() {
        TBvExprSource source(nullptr, false);
        source.FuncList().AddFunc("Fail", 1, [](TVarList& p, TVarItem&) {
            throw EHostFailure("host says no to " + p[0].GetNode().ToText());
        });
        TBvExprMain formula;
        formula.SetSource(&source);
        formula.SetExpressionText("x := 1 Fail(x + 1) x := 3");
        formula.Compile();
        QVERIFY_THROWS_EXCEPTION(EHostFailure, formula.Execute());
        try {
            formula.Execute();
        } catch (const EHostFailure& e) {
            QCOMPARE(e.Message(), QStringLiteral("host says no to 2"));
        }
        QCOMPARE(formula.VarList().Items(0).AsNumber(), 1.0);
    }

    void sourcesAreShared() {
        TBvExprSource source;
        TBvExprResult a, b;
        a.SetSource(&source);
        b.SetSource(&source);
        a.SetExpressionText("Result := Max(1, 2)");
        b.SetExpressionText("Result := Min(1, 2)");
        a.Compile();
        b.Compile();
        QCOMPARE(a.Evaluate().AsNumber(), 2.0);
        QCOMPARE(b.Evaluate().AsNumber(), 1.0);
    }
};

TAVLO_TEST(TestBvExprSource);
#include "tst_BvExprSource.moc"
