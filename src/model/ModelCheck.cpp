#include "ModelCheck.h"

#include "BuildMediatorDM.h"
#include "BvExpr.h"
#include "Conversions.h"
#include "DBTables.h"
#include "Exceptions.h"
#include "TvPickList.h"
#include "TvWorkCalculateDM.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <memory>

namespace {

const QStringList Variants = {QStringLiteral("_P"), QStringLiteral("_D")};

std::unique_ptr<TQuery> Query(const QString& db, const QString& sql, const QVariantList& params = {}) {
    auto query = std::make_unique<TQuery>();
    query->SetDatabaseName(db);
    query->SetSQLText(sql);
    for (int i = 0; i < params.size(); ++i)
        query->ParamByName(QStringLiteral("P") + IntToStr(i)).SetValue(params[i]);
    query->Open();
    return query;
}

QString Text(TQuery& query, const char* field) { return query.FieldByName(QString::fromLatin1(field))->AsString(); }
int Integer(TQuery& query, const char* field) { return query.FieldByName(QString::fromLatin1(field))->AsInteger(); }

// The compiler's message for the text, empty when it compiles. Empty texts
// are not formulas and are not compiled.
QString CompileMessage(TBvExprSource* source, const QString& text) {
    if (text.trimmed().isEmpty())
        return QString();
    TBvExprResult expr;
    expr.SetSource(source);
    try {
        expr.SetExpressionText(text);
        expr.Compile();
    } catch (const Exception& e) {
        return e.Message().isEmpty() ? QStringLiteral("does not compile") : e.Message();
    }
    return QString();
}

class TChecker {
public:
    TChecker(const QString& db, TBvExprSource* source) : FDb(db), FSource(source) {}

    QList<TModelProblem> Run() {
        ReadRisks();
        auto models = Query(FDb, QStringLiteral("SELECT CalcID FROM CalcModel ORDER BY CalcID"));
        for (models->First(); !models->Eof(); models->Next())
            FModels << Integer(*models, "CalcID");
        if (FModels.isEmpty())
            Add(QStringLiteral("CalcModel"), QString(), QStringLiteral("no calculation model"));
        for (const QString& variant : Variants) {
            CheckRisks(variant);
            CheckGroups(variant);
            CheckCompose(variant);
        }
        CheckPickLists();
        return FProblems;
    }

private:
    void Add(const QString& table, const QString& row, const QString& message) {
        FProblems.append({table, row, message});
    }

    void ReadRisks() {
        auto risks = Query(FDb, QStringLiteral("SELECT \"Risk id\", \"Type\", \"Decimals\" FROM \"Risks\""));
        for (risks->First(); !risks->Eof(); risks->Next())
            FRiskTypes.insert(Integer(*risks, "Risk id"), {Integer(*risks, "Type"), Integer(*risks, "Decimals")});
    }

    // Every formula of every model's factors, whether active or not: a
    // factor switched on later must not fail in the journal.
    void CheckRisks(const QString& variant) {
        const QString table = QStringLiteral("Risks") + variant;
        auto rows = Query(FDb, QStringLiteral("SELECT \"Risk id\", \"CalcID\", \"Active\", \"Expression\", \"Adjust\" "
                                              "FROM \"%1\" ORDER BY \"CalcID\", rowid").arg(table));
        for (rows->First(); !rows->Eof(); rows->Next()) {
            const int riskId = Integer(*rows, "Risk id");
            const int calcId = Integer(*rows, "CalcID");
            const QString row = QStringLiteral("Risk id %1, CalcID %2").arg(IntToStr(riskId), IntToStr(calcId));
            if (!FModels.contains(calcId))
                Add(table, row, QStringLiteral("no calculation model has this CalcID"));
            if (!FRiskTypes.contains(riskId))
                Add(table, row, QStringLiteral("the risk factor is not in Risks"));
            const QString expression = Text(*rows, "Expression");
            if (rows->FieldByName(QStringLiteral("Active"))->AsBoolean() && expression.trimmed().isEmpty())
                Add(table, row, QStringLiteral("Expression: an active risk factor without a formula"));
            for (const char* field : {"Expression", "Adjust"}) {
                const QString message = CompileMessage(FSource, Text(*rows, field));
                if (!message.isEmpty())
                    Add(table, row, QString::fromLatin1(field) + QStringLiteral(": ") + message);
            }
        }
    }

    // Each model needs a baseline for each group, and each factor's and
    // kind's coefficients one row per group: a missing row reads as 0 and
    // the risk would be wrong without a word.
    void CheckGroups(const QString& variant) {
        const QString groupTable = QStringLiteral("Group") + variant;
        const QString baselineTable = QStringLiteral("Baseline") + variant;
        const QString valuesTable = QStringLiteral("Values") + variant;
        QList<int> groups;
        auto groupRows = Query(FDb, QStringLiteral("SELECT \"Group\" FROM \"%1\" ORDER BY \"Group\"").arg(groupTable));
        for (groupRows->First(); !groupRows->Eof(); groupRows->Next())
            groups << Integer(*groupRows, "Group");
        if (groups.isEmpty()) {
            Add(groupTable, QString(), QStringLiteral("no patient group"));
            return;
        }
        for (int calcId : FModels) {
            const QString model = QStringLiteral("CalcID %1").arg(IntToStr(calcId));
            for (int group : groups) {
                auto count = Query(FDb, QStringLiteral("SELECT COUNT(*) AS N FROM \"%1\" WHERE CalcID = :P0 AND "
                                                       "\"Group\" = :P1").arg(baselineTable),
                                   {calcId, group});
                if (Integer(*count, "N") == 0)
                    Add(baselineTable, QString(),
                        QStringLiteral("%1 has no baseline rows for group %2").arg(model, IntToStr(group)));
            }
            auto values = Query(FDb, QStringLiteral("SELECT \"Risk id\", Type, COUNT(*) AS N FROM \"%1\" WHERE CalcID = :P0 "
                                                    "GROUP BY \"Risk id\", Type ORDER BY \"Risk id\", Type").arg(valuesTable),
                                {calcId});
            if (values->IsEmpty())
                Add(valuesTable, QString(), QStringLiteral("%1 has no coefficient rows").arg(model));
            for (values->First(); !values->Eof(); values->Next()) {
                const int rows = Integer(*values, "N");
                if (rows == groups.size())
                    continue;
                Add(valuesTable,
                    QStringLiteral("Risk id %1, Type %2, %3")
                        .arg(IntToStr(Integer(*values, "Risk id")), IntToStr(Integer(*values, "Type")), model),
                    QStringLiteral("%1 coefficient rows for %2 groups (one row per group, in Value id order)")
                        .arg(IntToStr(rows), IntToStr(int(groups.size()))));
            }
        }
    }

    void CheckCompose(const QString& variant) {
        const QString table = QStringLiteral("Compose") + variant;
        auto rows = Query(FDb, QStringLiteral("SELECT \"Compose id\", \"Country id\", Name, Expression FROM \"%1\" "
                                              "ORDER BY \"Country id\", \"Compose id\"").arg(table));
        for (rows->First(); !rows->Eof(); rows->Next()) {
            const QString message = CompileMessage(FSource, Text(*rows, "Expression"));
            if (!message.isEmpty())
                Add(table,
                    QStringLiteral("Compose id %1, Country id %2, Name '%3'")
                        .arg(Text(*rows, "Compose id"), Text(*rows, "Country id"), Text(*rows, "Name")),
                    QStringLiteral("Expression: ") + message);
        }
    }

    // Each definition on its own, with the country's decimal separator, so
    // one fault does not hide the ones after it.
    void CheckPickLists() {
        QHash<int, QChar> separators;
        auto countries = Query(FDb, QStringLiteral("SELECT \"Country id\", \"Separator name\" FROM Country"));
        for (countries->First(); !countries->Eof(); countries->Next()) {
            const QString separator = Text(*countries, "Separator name");
            separators.insert(Integer(*countries, "Country id"), separator.isEmpty() ? QChar('.') : separator.at(0));
        }
        auto rows = Query(FDb, QStringLiteral("SELECT \"Country id\", \"Risk id\", Name FROM Names WHERE Type = 2 "
                                              "ORDER BY \"Country id\", \"Risk id\", rowid"));
        for (rows->First(); !rows->Eof(); rows->Next()) {
            const int countryId = Integer(*rows, "Country id");
            const int riskId = Integer(*rows, "Risk id");
            const QString row = QStringLiteral("Country id %1, Risk id %2").arg(IntToStr(countryId), IntToStr(riskId));
            if (!separators.contains(countryId))
                Add(QStringLiteral("Names"), row, QStringLiteral("no country has this Country id"));
            const auto type = FRiskTypes.value(riskId, {0, 0});
            TPickList list;
            list.SetSeparator(separators.value(countryId, QChar('.')));
            try {
                list.AddItem(riskId, Text(*rows, "Name"), QString(), type.second, type.first);
            } catch (const Exception& e) {
                QString message = e.Message();
                const QString prefix = IntToStr(riskId) + QStringLiteral(": ");
                if (message.startsWith(prefix))
                    message = message.mid(prefix.size());
                Add(QStringLiteral("Names"), row, QStringLiteral("Pick list: ") + message);
            }
        }
    }

    QString FDb;
    TBvExprSource* FSource;
    QList<int> FModels;
    QHash<int, QPair<int, int>> FRiskTypes; // Type and Decimals by Risk id
    QList<TModelProblem> FProblems;
};

// The check compiles only: no patient is read.
class TNoJournal : public TJournalDataModuleBase {
public:
    using TJournalDataModuleBase::TJournalDataModuleBase;
    int GetAge() override { return -1; }
};

} // namespace

QString TModelProblem::Text() const {
    return Row.isEmpty() ? Table + QStringLiteral(": ") + Message
                         : Table + QStringLiteral(" row ") + Row + QStringLiteral(": ") + Message;
}

QList<TModelProblem> CheckModels(const QString& databaseName, TBvExprSource* source) {
    return TChecker(databaseName, source).Run();
}

QList<TModelProblem> CheckModels() {
    if (!MediatorDataModule)
        throw Exception(QStringLiteral("The mediator data module has not been created"));
    TTvWorkCalculateDataModule calculation(
        [](QObject* owner) -> TJournalDataModuleBase* { return new TNoJournal(owner); });
    return CheckModels(MediatorDataModule->Database->DatabaseName(), calculation.ExprSource());
}
