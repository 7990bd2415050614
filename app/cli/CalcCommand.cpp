#include "CalcCommand.h"

#include "Application.h"
#include "BuildMediatorDM.h"
#include "Conversions.h"
#include "DateTime.h"
#include "Edition.h"
#include "DBTables.h"
#include "DataSet.h"
#include "Exceptions.h"
#include "FormatSettings.h"
#include "MorlenTables.h"
#include "TvWorkCalculateDM.h"
#include "TvWorkCountryDM.h"
#include "TvWorkJournalDM.h"
#include "TvWorkMaterialDM.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QVector>
#include <cmath>
#include <memory>
#include <optional>

namespace {

const QStringList ResultColumns{QStringLiteral("Examination risk"), QStringLiteral("Treatment risk"),
                                QStringLiteral("NNT"), QStringLiteral("Calculated"), QStringLiteral("Error")};
const int SexRiskId = 5;
const int DiabetesRiskId = 7;

// Raised for a bad option or input the command cannot read: exit status 2.
class EUsage : public Exception {
public:
    using Exception::Exception;
};

void Write(QIODevice& device, const QString& text) { device.write(text.toUtf8()); }

// ---------------------------------------------------------------- CSV

struct TRecord {
    int Line = 0; // where the record starts, from 1
    QStringList Fields;
};

// RFC 4180: fields separated by commas, records by CRLF or LF, a field in
// double quotes may hold commas, line ends and doubled quotes. Lines with
// nothing on them are no records.
QVector<TRecord> ParseCsv(const QString& text) {
    QVector<TRecord> records;
    TRecord record;
    QString field;
    int line = 1;
    record.Line = 1;
    bool fieldStarted = false; // something of the record was read
    bool fieldTouched = false; // something of the current field was read
    const int size = int(text.size());
    int i = (size > 0 && text.at(0) == QChar(0xFEFF)) ? 1 : 0;
    auto endRecord = [&] {
        if (fieldStarted || !record.Fields.isEmpty()) {
            record.Fields << field;
            records << record;
        }
        record = TRecord();
        field.clear();
        fieldStarted = false;
        fieldTouched = false;
    };
    while (i < size) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"') && !fieldTouched) {
            const int startLine = line;
            ++i;
            bool closed = false;
            while (i < size) {
                const QChar q = text.at(i);
                if (q == QLatin1Char('"')) {
                    if (i + 1 < size && text.at(i + 1) == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (q == QLatin1Char('\n'))
                    ++line;
                field += q;
                ++i;
            }
            if (!closed)
                throw EUsage(QStringLiteral("line %1: the quoted field is never closed").arg(startLine));
            fieldStarted = true;
            fieldTouched = true;
            if (i < size && text.at(i) != QLatin1Char(',') && text.at(i) != QLatin1Char('\n')
                && text.at(i) != QLatin1Char('\r'))
                throw EUsage(QStringLiteral("line %1: a closing quote must end its field").arg(line));
            continue;
        }
        if (c == QLatin1Char(',')) {
            record.Fields << field;
            field.clear();
            fieldStarted = true;
            fieldTouched = false;
            ++i;
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++i;
            endRecord();
            ++line;
            record.Line = line;
            continue;
        }
        field += c;
        fieldStarted = true;
        fieldTouched = true;
        ++i;
    }
    endRecord();
    return records;
}

QString CsvField(const QString& value) {
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\n'))
        && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CsvLine(const QStringList& fields) {
    QString line;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        line += CsvField(fields.at(i));
    }
    return line + QLatin1Char('\n');
}

// ---------------------------------------------------------------- options

struct TOptions {
    int Model = 0;   // 0: the one the installation starts with
    int Country = 1; // Country id
    int Years = 0;   // 0: the country's period
    bool Diabetes = false;
    QString File = QStringLiteral("-");
};

// Decimal digits only: the integer conversion would also take "$" hex.
bool IsDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

int PositiveOption(const QStringList& arguments, int& at) {
    const QString name = arguments.at(at);
    if (at + 1 >= arguments.size())
        throw EUsage(QStringLiteral("%1 needs a number").arg(name));
    const QString value = arguments.at(++at);
    int number = 0;
    if (!IsDigits(value) || !TryStrToInt(value, number) || number <= 0)
        throw EUsage(QStringLiteral("%1: '%2' is not a whole number above 0").arg(name, value));
    return number;
}

TOptions ReadOptions(const QStringList& arguments) {
    TOptions options;
    bool haveFile = false;
    for (int at = 0; at < arguments.size(); ++at) {
        const QString& argument = arguments.at(at);
        if (argument == QLatin1String("--model"))
            options.Model = PositiveOption(arguments, at);
        else if (argument == QLatin1String("--country"))
            options.Country = PositiveOption(arguments, at);
        else if (argument == QLatin1String("--years"))
            options.Years = PositiveOption(arguments, at);
        else if (argument == QLatin1String("--diabetes"))
            options.Diabetes = true;
        else if (argument.startsWith(QLatin1String("--")) || (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")))
            throw EUsage(QStringLiteral("unknown option %1").arg(argument));
        else if (haveFile)
            throw EUsage(QStringLiteral("only one input file: %1").arg(argument));
        else {
            options.File = argument;
            haveFile = true;
        }
    }
    return options;
}

// ---------------------------------------------------------------- private folders

// The program's folders (aliases, settings, databases) pointed into a
// temporary folder for the run: the user's data is never read or written,
// and both databases are made there from the installation's scripts.
class TPrivateFolders {
public:
    TPrivateFolders() {
        if (!FDir.isValid())
            throw Exception(QStringLiteral("cannot make a temporary folder: %1").arg(FDir.errorString()));
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
            FSaved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            const QString path = FDir.path() + QLatin1Char('/') + QString::fromLatin1(name).toLower();
            QDir().mkpath(path);
            qputenv(name, QFile::encodeName(path));
        }
        Session().Reload();
    }
    ~TPrivateFolders() {
        for (const TSaved& saved : FSaved)
            saved.Set ? qputenv(saved.Name, saved.Value) : qunsetenv(saved.Name);
        Session().Reload();
    }

private:
    struct TSaved {
        const char* Name;
        QByteArray Value;
        bool Set;
    };
    QTemporaryDir FDir;
    QList<TSaved> FSaved;
};

// ---------------------------------------------------------------- factors

struct TFactor {
    int RiskId = 0;
    QString Name;
    bool Treatable = false; // an examination value with a treatment goal
    std::optional<double> Default;
    std::optional<double> Min, Max;
    int Column = -1;     // of the value in the input, -1 without one
    int GoalColumn = -1; // of "<Name> goal"
    // What the journal holds now: written again only when a row differs.
    std::optional<double> Examination, Treatment;
    bool Written = false;
};

std::optional<double> FieldNumber(TField* field) {
    if (field->IsNull())
        return std::nullopt;
    return field->AsFloat();
}

// A value of the input in store units, "." the decimal separator.
std::optional<double> ReadNumber(const QString& text, const QString& column) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    double value = 0;
    if (!TryStrToFloat(trimmed, value, QLatin1Char('.')) || !std::isfinite(value))
        throw Exception(QStringLiteral("%1: '%2' is not a number").arg(column, text));
    return value;
}

int ReadSex(const QString& text) {
    const QString value = text.trimmed().toUpper();
    if (value == QLatin1String("M") || value == QLatin1String("MALE") || value == QLatin1String("0"))
        return 0;
    if (value == QLatin1String("F") || value == QLatin1String("FEMALE") || value == QLatin1String("1"))
        return 1;
    throw Exception(QStringLiteral("Sex: '%1' is none of M, F, Male, Female, 0, 1").arg(text));
}

QString Fixed4(double value) {
    TDecimalSeparatorScope point(QLatin1Char('.'));
    return FloatToStrFixed(value, 4);
}

// ---------------------------------------------------------------- the run

class TCalcRun {
public:
    TCalcRun(const TOptions& options, QIODevice& errors) : FOptions(options), FErrors(errors) {}
    ~TCalcRun() {
        FTransaction.reset();
        FMaterial.reset();
        FMediator.reset();
    }

    // Returns the exit status.
    int Run(const QVector<TRecord>& records, QIODevice& output);

private:
    void Connect();
    void ReadHeader(const TRecord& header);
    void MakePatient();
    QStringList Score(const TRecord& record);
    void WriteValues(const QVector<std::optional<double>>& examination, const QVector<std::optional<double>>& treatment);
    void WriteRow(const TFactor& factor, std::optional<double> examination, std::optional<double> treatment);

    TOptions FOptions;
    QIODevice& FErrors;
    std::unique_ptr<TMediatorDataModule> FMediator;
    std::unique_ptr<TTvWorkMaterialDataModule> FMaterial;
    // The scratch patient's rows are written in one transaction, never committed.
    std::unique_ptr<TTransactionScope> FTransaction;
    TTvWorkJournalDataModule* FJournal = nullptr;
    TTvWorkCalculateDataModule* FCalculation = nullptr;
    QStringList FHeader;
    int FPatientId = 0, FJournalId = 0;
    int FAgeColumn = -1;
    int FDiabetesColumn = -1;
    QVector<TFactor> FFactors; // the values the journal holds, base values first
};

void TCalcRun::Connect() {
    FMediator = std::make_unique<TMediatorDataModule>();
    FMediator->ConnectDatabases(ApplicationAliasName, true);
    // A scratch database: a crash loses nothing worth keeping.
    FMediator->PatientDatabase->ExecSql(QStringLiteral("PRAGMA synchronous = OFF"));
    FMaterial = std::make_unique<TTvWorkMaterialDataModule>();
    FMaterial->CreateModules();
    // The modules' switched tables join the switch as they are made and
    // follow its next change: as the window switches for a diabetic patient.
    if (FOptions.Diabetes)
        FMediator->DiabetesSwitch->SetDiabetes(true);
    FJournal = FMaterial->WorkJournal();
    FCalculation = FMaterial->WorkCalculation();
    if (!FJournal || !FCalculation)
        throw Exception(QStringLiteral("the installation has no calculation module"));
    TTvWorkCountryDataModule* country = FMaterial->CountryData;
    if (!country->Country->Locate(QStringLiteral("Country id"), FOptions.Country))
        throw EUsage(QStringLiteral("--country %1: there is no such country").arg(FOptions.Country));
    if (FOptions.Model && Edition() != TEdition::Prevention
        && !FCalculation->CalcModel->Locate(QStringLiteral("CalcID"), FOptions.Model))
        throw EUsage(QStringLiteral("--model %1: there is no such model").arg(FOptions.Model));
    if (FOptions.Model && FCalculation->ModelId() != FOptions.Model)
        throw EUsage(QStringLiteral("--model %1: the chosen country calculates with model %2")
                         .arg(FOptions.Model)
                         .arg(FCalculation->ModelId()));
    FCalculation->InitPredictionYears();
    if (FOptions.Years) {
        // The periods the window offers; the model is made for those.
        QStringList choices;
        FCalculation->PredictionChoices(choices);
        bool offered = false;
        for (const QString& choice : choices)
            offered = offered || StrToIntDef(choice.trimmed(), 0) == FOptions.Years;
        if (!offered)
            throw EUsage(QStringLiteral("--years %1: the periods offered are %2").arg(FOptions.Years).arg(choices.join(QStringLiteral(", "))));
        FCalculation->SetPredictionYears(FOptions.Years);
    }
    FCalculation->LoadFormulas();
    FCalculation->AutoCalculate = true;
}

// One patient with one examination serves every row: each row overwrites
// the values the row before left.
void TCalcRun::MakePatient() {
    TMlTable* patient = FJournal->Patient;
    patient->Append();
    // The age is each row's typed age; the birth date only has to be there.
    patient->FieldByName(QStringLiteral("Birth date"))->SetAsDateTime(EncodeDate(1950, 1, 1));
    patient->FieldByName(QStringLiteral("Sequence id"))->SetAsString(QStringLiteral("0001"));
    patient->FieldByName(QStringLiteral("First name"))->SetAsString(QStringLiteral("calc"));
    patient->Post();
    if (FOptions.Diabetes)
        FJournal->SetBaseDefaults(nullptr, true);
    FJournal->Journal->Append();
    if (FJournal->Journal->State() != TDataSetState::dsBrowse)
        FJournal->Journal->Post();
    FPatientId = patient->FieldByName(QStringLiteral("Patient id"))->AsInteger();
    FJournalId = FJournal->Journal->FieldByName(QStringLiteral("Journal id"))->AsInteger();
    if (FPatientId <= 0 || FJournalId <= 0)
        throw Exception(QStringLiteral("the scratch patient has no examination"));
}

void TCalcRun::ReadHeader(const TRecord& header) {
    FHeader = header.Fields;
    QHash<QString, int> columns;
    for (int i = 0; i < FHeader.size(); ++i) {
        const QString key = FHeader.at(i).trimmed().toLower();
        if (columns.contains(key))
            throw EUsage(QStringLiteral("line %1: the column '%2' is there twice").arg(header.Line).arg(FHeader.at(i)));
        columns.insert(key, i);
    }
    for (const QString& result : ResultColumns)
        if (columns.contains(result.toLower()))
            throw EUsage(QStringLiteral("line %1: the column '%2' is one the results are written to").arg(header.Line).arg(result));
    FAgeColumn = columns.value(QStringLiteral("age"), -1);
    if (FAgeColumn < 0)
        throw EUsage(QStringLiteral("line %1: there is no column Age").arg(header.Line));

    // The factors are those the journal holds for the patient and the
    // examination, each as the model defines it.
    TMlRiskTable* lookup = FCalculation->RisksLookup;
    auto describe = [&](int riskId, bool treatable) {
        TFactor factor;
        factor.RiskId = riskId;
        factor.Treatable = treatable;
        if (lookup->Locate(QStringLiteral("Risk id"), riskId)) {
            factor.Name = lookup->FieldByName(QStringLiteral("Name"))->AsString();
            double value = 0;
            if (TryDataToFloat(lookup->FieldByName(QStringLiteral("Default"))->AsString(), value))
                factor.Default = value;
            factor.Min = FieldNumber(lookup->FieldByName(QStringLiteral("Min")));
            factor.Max = FieldNumber(lookup->FieldByName(QStringLiteral("Max")));
        }
        factor.Column = columns.value(factor.Name.trimmed().toLower(), -1);
        if (treatable)
            factor.GoalColumn = columns.value(factor.Name.trimmed().toLower() + QStringLiteral(" goal"), -1);
        return factor;
    };
    auto read = [&](TMlTable* table, bool treatable) {
        const int count = table->RecordCount();
        QList<int> ids;
        for (int i = 0; i < count; ++i)
            table->WithRecord(i, [&] { ids << table->FieldByName(QStringLiteral("Risk id"))->AsInteger(); });
        for (const int id : ids) {
            TFactor factor = describe(id, treatable);
            table->Locate(QStringLiteral("Risk id"), id);
            factor.Examination = FieldNumber(table->FieldByName(QStringLiteral("Examination")));
            if (treatable)
                factor.Treatment = FieldNumber(table->FieldByName(QStringLiteral("Treatment")));
            FFactors << factor;
        }
    };
    read(FJournal->Base, false);
    read(FJournal->Exam, true);
    // The journal hides the diabetes value; --diabetes decides it for every row.
    FDiabetesColumn = columns.value(QStringLiteral("diabetes"), -1);
    for (const TFactor& factor : FFactors)
        if (factor.RiskId == DiabetesRiskId)
            FDiabetesColumn = -1;
    if (FDiabetesColumn >= 0 && !lookup->Locate(QStringLiteral("Risk id"), DiabetesRiskId))
        FDiabetesColumn = -1;
}

void TCalcRun::WriteRow(const TFactor& factor, std::optional<double> examination, std::optional<double> treatment) {
    TDatabase* db = FMediator->PatientDatabase;
    const QVariant noValue = QVariant(QMetaType::fromType<double>());
    auto value = [&](std::optional<double> number) { return number ? QVariant(*number) : noValue; };
    QSqlQuery& query = factor.Treatable
        ? db->Prepared(QStringLiteral("UPDATE \"Exam\" SET \"Examination\" = ?, \"Treatment\" = ? "
                                      "WHERE \"Journal id\" = ? AND \"Risk id\" = ?"))
        : db->Prepared(QStringLiteral("UPDATE \"Base\" SET \"Examination\" = ? "
                                      "WHERE \"Patient id\" = ? AND \"Risk id\" = ?"));
    int at = 0;
    query.bindValue(at++, value(examination));
    if (factor.Treatable)
        query.bindValue(at++, value(treatment));
    query.bindValue(at++, factor.Treatable ? FJournalId : FPatientId);
    query.bindValue(at++, factor.RiskId);
    db->CountStatement();
    if (!query.exec())
        RaiseSqlError(query.lastError(), factor.Treatable ? QStringLiteral("Exam") : QStringLiteral("Base"));
    query.finish();
}

// The row's values go to the journal's stored rows; the journal hands its
// patient to the calculation (JournalChanged) as after any change, and the
// calculation's copy reads the patient's rows from the store. The journal's
// own views are not read again: nothing shows them here.
void TCalcRun::WriteValues(const QVector<std::optional<double>>& examination,
                           const QVector<std::optional<double>>& treatment) {
    try {
        for (int i = 0; i < FFactors.size(); ++i) {
            TFactor& factor = FFactors[i];
            if (factor.Written && factor.Examination == examination[i]
                && (!factor.Treatable || factor.Treatment == treatment[i]))
                continue;
            factor.Written = false;
            WriteRow(factor, examination[i], treatment[i]);
            factor.Examination = examination[i];
            factor.Treatment = treatment[i];
            factor.Written = true;
        }
    } catch (...) {
        for (TFactor& factor : FFactors)
            factor.Written = false; // what the store holds is not known
        throw;
    }
}

QStringList TCalcRun::Score(const TRecord& record) {
    QStringList fields = record.Fields;
    QString problem;
    if (fields.size() != FHeader.size())
        problem = QStringLiteral("line %1 has %2 fields, the header %3").arg(record.Line).arg(fields.size()).arg(FHeader.size());
    while (fields.size() < FHeader.size())
        fields << QString();
    fields = fields.mid(0, FHeader.size());
    QStringList results{QString(), QString(), QString(), QStringLiteral("0"), problem};
    if (!problem.isEmpty())
        return fields + results;
    try {
        const QString ageText = fields.at(FAgeColumn).trimmed();
        int age = 0;
        if (!IsDigits(ageText) || !TryStrToInt(ageText, age) || age <= 0)
            throw Exception(QStringLiteral("Age: '%1' is not a whole number of years above 0").arg(fields.at(FAgeColumn)));
        if (FDiabetesColumn >= 0) {
            const std::optional<double> diabetes = ReadNumber(fields.at(FDiabetesColumn), FHeader.at(FDiabetesColumn));
            if (diabetes && *diabetes != 0 && *diabetes != 1)
                throw Exception(QStringLiteral("Diabetes: '%1' is neither 0 nor 1").arg(fields.at(FDiabetesColumn)));
            if (diabetes && *diabetes == 1 && !FOptions.Diabetes)
                throw Exception(QStringLiteral("Diabetes 1: diabetic patients are calculated with --diabetes"));
            if (diabetes && *diabetes == 0 && FOptions.Diabetes)
                throw Exception(QStringLiteral("Diabetes 0: with --diabetes every patient is diabetic"));
        }
        QVector<std::optional<double>> examination(FFactors.size()), treatment(FFactors.size());
        for (int i = 0; i < FFactors.size(); ++i) {
            const TFactor& factor = FFactors.at(i);
            std::optional<double> value;
            if (factor.Column >= 0) {
                const QString& text = fields.at(factor.Column);
                value = factor.RiskId == SexRiskId && !text.trimmed().isEmpty()
                            ? std::optional<double>(ReadSex(text))
                            : ReadNumber(text, FHeader.at(factor.Column));
            }
            if (!value)
                value = factor.Default;
            std::optional<double> goal;
            if (factor.GoalColumn >= 0)
                goal = ReadNumber(fields.at(factor.GoalColumn), FHeader.at(factor.GoalColumn));
            if (!goal)
                goal = value;
            auto check = [&](std::optional<double> number, int column) {
                if (!number || column < 0)
                    return;
                if ((factor.Min && *number < *factor.Min) || (factor.Max && *number > *factor.Max))
                    throw Exception(QStringLiteral("%1: %2 is outside %3 to %4")
                                        .arg(FHeader.at(column), fields.at(column).trimmed(),
                                             factor.Min ? FloatToStr(*factor.Min, QLatin1Char('.')) : QString(),
                                             factor.Max ? FloatToStr(*factor.Max, QLatin1Char('.')) : QString()));
            };
            check(value, factor.Column);
            check(goal, factor.GoalColumn);
            examination[i] = value;
            treatment[i] = goal;
        }
        WriteValues(examination, treatment);
        FJournal->AgeOverride = age;
        FJournal->JournalChanged(nullptr);
        if (!FCalculation->Calculated) {
            int minAge = 0, maxAge = 0;
            FCalculation->AgeRange(minAge, maxAge);
            QString message = FMaterial->CountryData->AgeRangeMessage();
            message.replace(message.indexOf(QLatin1String("%s")), 2, IntToStr(minAge));
            message.replace(message.indexOf(QLatin1String("%s")), 2, IntToStr(maxAge));
            results[4] = message;
            return fields + results;
        }
        results[0] = Fixed4(FCalculation->ExaminationRisk);
        results[1] = Fixed4(FCalculation->TreatmentRisk);
        results[2] = std::fabs(FCalculation->NNT) < 9e18 ? IntToStr(Round(FCalculation->NNT))
                                                          : FloatToStr(FCalculation->NNT, QLatin1Char('.'));
        results[3] = QStringLiteral("1");
    } catch (const EAbort&) {
        results[4] = QStringLiteral("line %1: aborted").arg(record.Line);
    } catch (const Exception& e) {
        results[4] = e.Message();
    } catch (const std::exception& e) {
        results[4] = QString::fromUtf8(e.what());
    }
    return fields + results;
}

int TCalcRun::Run(const QVector<TRecord>& records, QIODevice& output) {
    if (records.isEmpty())
        throw EUsage(QStringLiteral("the input has no header row"));
    Connect();
    MakePatient();
    ReadHeader(records.first());
    FTransaction = std::make_unique<TTransactionScope>(FMediator->PatientDatabase);
    QString buffer = CsvLine(FHeader + ResultColumns);
    int failed = 0;
    for (int i = 1; i < records.size(); ++i) {
        const QStringList row = Score(records.at(i));
        if (row.at(row.size() - 2) != QLatin1String("1"))
            ++failed;
        buffer += CsvLine(row);
        if (buffer.size() > 1 << 16) {
            Write(output, buffer);
            buffer.clear();
        }
    }
    Write(output, buffer);
    if (failed)
        Write(FErrors, QStringLiteral("%1 of %2 rows were not calculated\n").arg(failed).arg(records.size() - 1));
    return failed ? 1 : 0;
}

} // namespace

QString CalcCommandUsage() {
    return QStringLiteral(
        "usage: tavlo-cli calc [--model N] [--country ID] [--years N] [--diabetes] [FILE|-]\n"
        "  Reads CSV rows (Sex, Age, a column per risk factor by its name in store units,\n"
        "  optional \"<name> goal\" columns) and writes them with Examination risk,\n"
        "  Treatment risk, NNT, Calculated and Error appended. --country is a Country id\n"
        "  (1 without it), --model a CalcID, --years the prediction period,\n"
        "  --diabetes calculates every row with the diabetes model.");
}

int RunCalcCommand(const QStringList& arguments, QIODevice& input, QIODevice& output, QIODevice& errors) {
    auto previousHandler = TApplication::OnException;
    // A command has no error dialog: what the modules would show goes to errors.
    TApplication::OnException = [&errors](const QString& text) { Write(errors, text + QLatin1Char('\n')); };
    struct TRestoreHandler {
        decltype(previousHandler)& Previous;
        ~TRestoreHandler() { TApplication::OnException = Previous; }
    } restoreHandler{previousHandler};
    try {
        TOptions options = ReadOptions(arguments);
        // The installation's edition, as the program starts with it: it
        // decides the model variants the window calculates with.
        ProvisionEdition();
        if (Edition() == TEdition::Diabetes)
            options.Diabetes = true; // every patient of this edition is diabetic
        if (options.Diabetes && Edition() == TEdition::Prevention)
            throw EUsage(QStringLiteral("--diabetes: the Prevention edition has no diabetes model"));
        QByteArray bytes;
        if (options.File == QLatin1String("-")) {
            bytes = input.readAll();
        } else {
            QFile file(options.File);
            if (!file.open(QIODevice::ReadOnly))
                throw EUsage(QStringLiteral("cannot read %1: %2").arg(options.File, file.errorString()));
            bytes = file.readAll();
        }
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(bytes);
        if (decoder.hasError())
            throw EUsage(QStringLiteral("%1 is not UTF-8 text").arg(options.File == QLatin1String("-") ? QStringLiteral("the input") : options.File));
        const QVector<TRecord> records = ParseCsv(text);
        const TFormatSettings formats = FormatSettings();
        struct TRestoreFormats {
            TFormatSettings Saved;
            ~TRestoreFormats() { FormatSettings() = Saved; }
        } restoreFormats{formats};
        TPrivateFolders folders;
        TCalcRun run(options, errors);
        return run.Run(records, output);
    } catch (const EUsage& e) {
        Write(errors, QStringLiteral("tavlo-cli calc: %1\n%2\n").arg(e.Message(), CalcCommandUsage()));
        return 2;
    } catch (const Exception& e) {
        Write(errors, QStringLiteral("tavlo-cli calc: %1\n").arg(e.Message()));
        return 2;
    } catch (const std::exception& e) {
        Write(errors, QStringLiteral("tavlo-cli calc: %1\n").arg(QString::fromUtf8(e.what())));
        return 2;
    }
}
