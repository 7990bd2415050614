#include "MathErrors.h"
#include "ModelFixture.h"
#include "ParserError.h"
#include "TestMain.h"
#include "TvExprList.h"

#include <QTest>

namespace {

// The calculation's Risks rows as the formula lists read them.
std::unique_ptr<TClientDataSet> FormulaRisks(const TRows& rows) {
    return MemoryTable({{"Risk id", TFieldType::ftInteger},
                        {"Locale name", TFieldType::ftString, 25},
                        {"Color", TFieldType::ftInteger},
                        {"Group", TFieldType::ftSmallint},
                        {"Obsolete", TFieldType::ftBoolean},
                        {"Active", TFieldType::ftBoolean},
                        {"Expression", TFieldType::ftMemo},
                        {"Adjust", TFieldType::ftMemo}},
                       rows);
}

// A source with the built-ins and a few host functions of the tests.
struct TTestSource {
    TBvExprSource Source;
    TTestSource() {
        Source.FuncList().AddFunc("Twice", 1, [](TVarList& p, TVarItem& r) { r.SetNumber(2 * p[0].AsNumber()); });
        Source.FuncList().AddFunc("Fail", 0, [](TVarList&, TVarItem&) -> void { throw EConvertError("'x' is not a valid floating point value"); });
        Source.FuncList().AddFunc("Divide", 2, [](TVarList& p, TVarItem& r) { r.SetNumber(FloatDivide(p[0].AsNumber(), p[1].AsNumber())); });
        Source.FuncList().AddFunc("Stop", 0, [](TVarList&, TVarItem&) { Abort(); });
    }
};

QList<int> RiskIds(const TExprList& list) {
    QList<int> ids;
    for (int i = 0; i < list.Count(); ++i)
        ids << list[i].RiskId();
    return ids;
}

// The message a formula fails with on its own, outside any list.
QString PlainError(TBvExprSource* source, const QString& text, bool run) {
    TBvExprResult plain;
    plain.SetSource(source);
    plain.SetExpressionText(text);
    return ErrorOf([&] {
        plain.Compile();
        if (run)
            plain.Evaluate();
    });
}

} // namespace

class TestTvExprList : public QObject {
    Q_OBJECT
private slots:
    void skipsObsoleteAndInactiveFactors() {
        TTestSource host;
        auto risks = FormulaRisks({{9, "BMI", 16711935, 1, false, true, "Result := Twice(2)", "Result := 25"},
                                   {2, "Old", 0, 1, true, true, "Result := 2", QVariant()},
                                   {3, "Off", 0, 2, false, false, "Result := 3", QVariant()},
                                   {4, "Height", 128, 2, QVariant(), true, "Result := 4", "Result := Min(4, 3)"},
                                   {5, "Both", 0, 1, true, false, "Result := 5", QVariant()}});
        TExprList list(&host.Source);
        list.Load(risks.get(), "Expression");
        // In the order of the rows, not of the ids.
        QCOMPARE(RiskIds(list), QList<int>({9, 4}));
        QCOMPARE(list[0].Name, QString("BMI"));
        QCOMPARE(list[0].Color, 16711935);
        QCOMPARE(list[0].Group, 1);
        QCOMPARE(list[1].Name, QString("Height"));
        QCOMPARE(list[1].Group, 2);
        // Compiled against the list's source.
        QCOMPARE(list[0].Expr().Source(), &host.Source);
        QCOMPARE(list[0].Expr().Evaluate().AsNumber(), 4.0);
        QCOMPARE(list.FindByRiskId(4)->Expr().Evaluate().AsNumber(), 4.0);
        QVERIFY(list.FindByRiskId(2) == nullptr);

        list.Load(risks.get(), "Adjust");
        QCOMPARE(RiskIds(list), QList<int>({9, 4}));
        QCOMPARE(list[0].Expr().Evaluate().AsNumber(), 25.0);
        QCOMPARE(list[1].Expr().Evaluate().AsNumber(), 3.0);
        QCOMPARE(list[1].Expr().Item(), &list[1]);
    }

    void loadLeavesTheCursorAlone() {
        TTestSource host;
        auto risks = FormulaRisks({{1, "A", 0, 1, false, true, "Result := 1", QVariant()},
                                   {2, "B", 0, 1, false, true, "Result := 2", QVariant()},
                                   {3, "C", 0, 1, false, true, "Result := 3", QVariant()}});
        risks->SetRecNo(2);
        int scrolls = 0;
        risks->AfterScroll = [&](TDataSet*) { ++scrolls; };
        TExprList list(&host.Source);
        list.Load(risks.get(), "Expression");
        QCOMPARE(list.Count(), 3);
        QCOMPARE(risks->RecNo(), 2);
        QCOMPARE(scrolls, 0);
    }

    void parserErrorNamesTheFactor_data() {
        QTest::addColumn<QString>("formula");
        QTest::newRow("syntax") << "Result := (1 +";
        QTest::newRow("unknown function") << "Result := Nope(1)";
        QTest::newRow("open quote") << "Result := 'open";
        QTest::newRow("second line") << "Result := 1\nResult := )";
    }
    void parserErrorNamesTheFactor() {
        QFETCH(QString, formula);
        TTestSource host;
        auto risks = FormulaRisks({{1, "Systolic BP", 0, 1, false, true, "Result := 1", QVariant()},
                                   {2, "Cholesterol", 0, 1, false, true, formula, QVariant()},
                                   {3, "HDL", 0, 1, false, true, "Result := 3", QVariant()}});
        const QString cause = PlainError(&host.Source, formula, false);
        QVERIFY(cause != "no error");
        TExprList list(&host.Source);
        QCOMPARE(ErrorOf([&] { list.Load(risks.get(), "Expression"); }), "Parser error Cholesterol: " + cause);
        // Only the formulas before the failing one stay, all compiled.
        QCOMPARE(RiskIds(list), QList<int>({1}));
        QCOMPARE(list[0].Expr().Evaluate().AsNumber(), 1.0);
        // The class of the cause is kept.
        TBvExprResult plain;
        plain.SetSource(&host.Source);
        plain.SetExpressionText(formula);
        const bool lexical = Raises<EParserError>([&] { plain.Compile(); });
        QCOMPARE(Raises<EParserError>([&] { list.Load(risks.get(), "Expression"); }), lexical);
        QCOMPARE(Raises<EExprError>([&] { list.Load(risks.get(), "Expression"); }), !lexical);
    }

    void runtimeErrorNamesTheFactor_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("kind");
        QTest::newRow("host function") << "Result := Fail()" << "convert";
        QTest::newRow("platform arithmetic") << "Result := Divide(1, 0)" << "math";
        QTest::newRow("overflow") << "x := 1E300\nResult := x * x" << "expr";
        QTest::newRow("wrong type") << "Result := 'a' * 2" << "expr";
    }
    void runtimeErrorNamesTheFactor() {
        QFETCH(QString, formula);
        QFETCH(QString, kind);
        TTestSource host;
        auto risks = FormulaRisks({{7, "Diabetes", 0, 2, false, true, formula, QVariant()}});
        TExprList list(&host.Source);
        list.Load(risks.get(), "Expression");
        TMorlenExpr& expr = list[0].Expr();
        const QString cause = PlainError(&host.Source, formula, true);
        QVERIFY(cause != "no error");
        QCOMPARE(ErrorOf([&] { expr.Evaluate(); }), "Runtime error Diabetes: " + cause);
        if (kind == "convert")
            QVERIFY(Raises<EConvertError>([&] { expr.Evaluate(); }));
        else if (kind == "math")
            QVERIFY(Raises<EMathError>([&] { expr.Evaluate(); }));
        else
            QVERIFY(Raises<EExprError>([&] { expr.Evaluate(); }));
    }

    void silentAbortIsNotNamed() {
        TTestSource host;
        TExprList list(&host.Source);
        auto risks = FormulaRisks({{7, "Diabetes", 0, 2, false, true, "Result := Stop()", QVariant()}});
        list.Load(risks.get(), "Expression");
        TExprItem* item = &list[0];
        QVERIFY(Raises<EAbort>([&] { item->Expr().Evaluate(); }));
        QCOMPARE(ErrorOf([&] { item->Expr().Evaluate(); }), EAbort().Message());
    }

    void formulaWithoutItemPassesErrorsOn() {
        TTestSource host;
        TMorlenExpr expr;
        expr.SetSource(&host.Source);
        expr.SetExpressionText("Result := (");
        QCOMPARE(ErrorOf([&] { expr.Compile(); }), PlainError(&host.Source, "Result := (", false));
        expr.SetExpressionText("Result := Fail()");
        expr.Compile();
        QCOMPARE(ErrorOf([&] { expr.Evaluate(); }), PlainError(&host.Source, "Result := Fail()", true));
    }

    void emptyTableGivesAnEmptyList() {
        TTestSource host;
        auto risks = FormulaRisks({});
        TExprList list(&host.Source);
        list.AddRisk(1);
        list.Load(risks.get(), "Expression");
        QCOMPARE(list.Count(), 0);
    }
};

TAVLO_TEST(TestTvExprList);
#include "tst_TvExprList.moc"
