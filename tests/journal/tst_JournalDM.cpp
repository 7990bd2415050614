// The journal data module on the seed and the mediator's patient database:
// calculated fields, value texts, identity, new patients and examinations
// with their inherited values, the recalculation link, the delete cascades
// (one transaction each), the catalogue guards, the diabetes switch and the
// model restriction.

#include "Application.h"
#include "BvDictionary.h"
#include "MorlenSettings.h"
#include "BvMask.h"
#include "BvExprNode.h"
#include "Conversions.h"
#include "JournalFixture.h"
#include "ModalAnswer.h"
#include "TestErrors.h"
#include "TestMain.h"
#include "TvConvertField.h"

#include <QSqlQuery>
#include <QTest>

namespace {

enum TAction { Scroll, PostValue, PostDependent, NewExamination, NewPatient, CancelEdit, DeleteExamination,
               DeletePatient, MovePatient };

} // namespace

class TestJournalDM : public QObject {
    Q_OBJECT
    std::unique_ptr<TSeedDatabase> FSeed;
    std::unique_ptr<TMediatorDataModule> FMediator;
    QStringList FShown;
    TFormatSettings FSavedFormats;

    TPatientRows Rows() { return TPatientRows{FMediator->PatientDatabase}; }
    void ExecApplication(const QString& sql, const QVariantList& params = {}) { FMediator->Database->ExecSql(sql, params); }

    // Patient 1 with three examinations (two on one day) and values; patient 2 with one.
    void TwoPatients() {
        TPatientRows rows = Rows();
        rows.Patient(1, EncodeDate(1950, 3, 1), "0001", "Anna", "Berg");
        rows.Patient(2, EncodeDate(1960, 4, 2), "0002", "Bo", "Dahl");
        rows.Journal(10, 1, EncodeDate(2020, 1, 10));
        rows.Journal(11, 1, EncodeDate(2020, 1, 10));
        rows.Journal(12, 1, EncodeDate(2019, 6, 1));
        rows.Journal(20, 2, EncodeDate(2018, 3, 3));
        for (int journal : {10, 11, 12, 20}) {
            rows.Exam(journal, 1, 140 + journal, 130);
            rows.Exam(journal, 2, 6.5, 5);
        }
        rows.Base(1, 8, 180);
        rows.Base(1, 7, 1);
        rows.Base(2, 8, 160);
        ExecApplication("INSERT INTO ItemLink (JournalID, GroupID, ItemID) VALUES (10, 3, 2)");
        ExecApplication("INSERT INTO ItemLink (JournalID, GroupID, ItemID) VALUES (11, 3, 3)");
        ExecApplication("INSERT INTO ItemLink (JournalID, GroupID, ItemID) VALUES (20, 3, 4)");
    }
    int PatientRowsInStore(int patient) {
        TPatientRows rows = Rows();
        return rows.Count("SELECT COUNT(*) FROM Base WHERE \"Patient id\" = ?", {patient}) +
               rows.Count("SELECT COUNT(*) FROM Journal WHERE \"Patient id\" = ?", {patient}) +
               rows.Count("SELECT COUNT(*) FROM Exam WHERE \"Journal id\" IN (SELECT \"Journal id\" FROM Journal "
                          "WHERE \"Patient id\" = ?)",
                          {patient});
    }
    int LinksOf(const QList<int>& journals) {
        int count = 0;
        TPatientRows app{FMediator->Database};
        for (int journal : journals)
            count += app.Count("SELECT COUNT(*) FROM ItemLink WHERE JournalID = ?", {journal});
        return count;
    }

private slots:
    void initTestCase() {
        TApplication::OnException = [this](const QString& text) { FShown << text; };
        SetEdition(TEdition::Combined);
        FSeed = std::make_unique<TSeedDatabase>("JournalSeed");
        FMediator = std::make_unique<TMediatorDataModule>();
    }
    void init() {
        FShown.clear();
        FSavedFormats = FormatSettings();
        SetEdition(TEdition::Combined);
        FMediator->Database->Close();
        FMediator->PatientDatabase->Close();
        FSeed->Reset();
        FMediator->ConnectDatabases("JournalSeedAlias", true);
        FMediator->DiabetesSwitch->SetDiabetes(false);
        for (const char* trigger : {"FailExam", "FailJournal", "FailBase", "FailPatient"})
            FMediator->PatientDatabase->ExecSql(QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(trigger));
        for (const char* table : {"Patient", "Journal", "Base", "Exam", "Doctors"})
            FMediator->PatientDatabase->ExecSql(QStringLiteral("DELETE FROM \"%1\"").arg(table));
    }
    void cleanup() {
        QVERIFY2(FShown.isEmpty(), qPrintable(FShown.join('\n')));
        FormatSettings() = FSavedFormats;
        SetEdition(TEdition::Combined);
        FMediator->DiabetesSwitch->SetDiabetes(false);
    }
    void cleanupTestCase() {
        FMediator.reset();
        FSeed.reset();
        TApplication::OnException = nullptr;
    }

    // ------------------------------------------------------------ calculated fields

    void age_data() {
        QTest::addColumn<QVariant>("birth");
        QTest::addColumn<int>("typed");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("age");
        QTest::newRow("no birth date, no typed age") << QVariant() << 0 << QDate(2001, 2, 28) << -1;
        QTest::newRow("a typed age wins") << QVariant(EncodeDate(1960, 2, 29)) << 45 << QDate(2001, 2, 28) << 45;
        QTest::newRow("the day before a leap birthday") << QVariant(EncodeDate(1960, 2, 29)) << 0 << QDate(2001, 2, 28) << 40;
        QTest::newRow("the day after a leap birthday") << QVariant(EncodeDate(1960, 2, 29)) << 0 << QDate(2001, 3, 1) << 41;
        QTest::newRow("on the birthday") << QVariant(EncodeDate(1960, 6, 15)) << 0 << QDate(2001, 6, 15) << 41;
    }
    void age() {
        QFETCH(QVariant, birth);
        QFETCH(int, typed);
        QFETCH(QDate, today);
        QFETCH(int, age);
        Rows().Exec("INSERT INTO Patient (\"Patient id\", \"Birth date\", \"Sequence id\", \"First name\", "
                    "\"Last name\", Export, Test) VALUES (1, ?, '0001', 'Anna', 'Berg', 0, 0)",
                    {birth.isValid() ? birth : QVariant(0.0)});
        TJournalWorld world(false);
        world.Journal->Day = DateOf(today);
        world.Journal->AgeOverride = typed;
        QCOMPARE(world.Journal->GetAge(), age);
        world.Journal->Patient->Refresh(); // the calculated column follows
        QCOMPARE(world.Journal->Patient->FieldByName("Age")->AsInteger(), age);
    }

    void patientTexts() {
        FormatSettings().ShortDateFormat = "dd/mm/yyyy";
        FormatSettings().DateSeparator = '-'; // as the work window sets it
        Rows().Patient(1, EncodeDate(1950, 3, 1), "0A12", "Anna", "Berg");
        TJournalWorld world(false);
        TMlTable* patient = world.Journal->Patient;
        QCOMPARE(patient->FieldByName("FullName")->AsString(), QString("Anna Berg"));
        QCOMPARE(patient->FieldByName("CalcID")->AsString(), QString("01-03-1950-0A12"));
        QCOMPARE(patient->FieldByName("Birth date")->EditMask(), QString("90/90/00;1;_"));
        QCOMPARE(patient->FieldByName("Sequence id")->EditMask(), QString("0AA0;0;_"));
        QCOMPARE(world.Journal->Journal->FieldByName("Date")->EditMask(), QString("90-90-00;1;_"));
    }

    void recordIndicator() {
        TwoPatients();
        TJournalWorld world(false);
        TMlTable* journal = world.Journal->Journal;
        QStringList seen;
        for (journal->First(); !journal->Eof(); journal->Next())
            seen << journal->FieldByName("Journal id")->AsString() + "=" +
                        journal->FieldByName("RecordIndicator")->AsString();
        // By date, the two of one day by Journal id.
        QCOMPARE(seen, QStringList({"12=1/3", "10=2/3", "11=3/3"}));
    }

    void linkFullName_data() {
        QTest::addColumn<double>("dose");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::newRow("no dose") << 0.0 << "." << "Aspirin";
        QTest::newRow("grams with the user's separator") << 2500.0 << "," << "Aspirin (2,5 g)";
        QTest::newRow("1000 mg is 1 g") << 1000.0 << "." << "Aspirin (1 g)";
        QTest::newRow("999 mg") << 999.0 << "." << "Aspirin (999 mg)";
        QTest::newRow("a fraction of a milligram") << 0.5 << "," << "Aspirin (0,5 mg)";
    }
    void linkFullName() {
        QFETCH(double, dose);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        ExecApplication("INSERT INTO ItemGroup (ID, Name) VALUES (40, 'Test group')");
        ExecApplication("INSERT INTO Item (ID, Name, Dose) VALUES (400, 'Aspirin', ?)", {dose});
        ExecApplication("INSERT INTO ItemLink (JournalID, GroupID, ItemID) VALUES (1, 40, 400)");
        TJournalWorld world(false);
        FormatSettings().DecimalSeparator = separator.at(0);
        QVERIFY(world.Journal->Group->Locate("ID", 40));
        QCOMPARE(world.Journal->Link->RecordCount(), 1);
        QCOMPARE(world.Journal->Link->FieldByName("FullName")->AsString(), text);
    }

    void unitFieldsAndLabels() {
        TwoPatients();
        // Without a pick item the display unit stays empty.
        ExecApplication("DELETE FROM Names WHERE \"Risk id\" = 2 AND Type = 2");
        TJournalWorld world(false);
        TMlTable* exam = world.Journal->Exam;
        QVERIFY(exam->Locate("Risk id", 1));
        QCOMPARE(exam->FieldByName("StoreCategory")->AsString(), QString("Pressure"));
        QCOMPARE(exam->FieldByName("StoreUnit")->AsString(), QString("mmHg"));
        QCOMPARE(exam->FieldByName("DisplayUnit")->AsString(), QString("mmHg"));
        QCOMPARE(exam->FieldByName("RiskType")->AsInteger(), 1);
        QVERIFY(exam->FieldByName("Locale name")->AsString().endsWith(" (mmHg)"));
        QCOMPARE(exam->FieldByName("_Examination")->AsFloat(), 152.0);
        QCOMPARE(exam->FieldByName("_Treatment")->AsFloat(), 130.0);
        QVERIFY(exam->Locate("Risk id", 2));
        QCOMPARE(exam->FieldByName("DisplayUnit")->AsString(), QString());
        QVERIFY2(exam->FieldByName("Locale name")->AsString().endsWith(" ()"),
                 qPrintable(exam->FieldByName("Locale name")->AsString()));
    }

    // The text of a value without conversion comes from the pick list, typed
    // text goes back through it; a converting one is the converted number.
    void valueTexts() {
        TPatientRows rows = Rows();
        rows.Patient(1, EncodeDate(1950, 3, 1), "0001");
        rows.Journal(10, 1, EncodeDate(2020, 1, 10));
        rows.Exam(10, 3, 2, 0);      // smoking, a named pick list
        rows.Exam(10, 1, 141.5, 130); // blood pressure, converted
        TJournalWorld world(false);
        TDatedJournal* journal = world.Journal.get();
        QVERIFY(journal->Exam->Locate("Risk id", 3));
        QCOMPARE(journal->ExamExaminationView->DisplayText(), QString("Current"));
        journal->Exam->Edit();
        journal->ExamExaminationView->SetText("former");
        journal->Exam->Post();
        QCOMPARE(journal->ExamExaminationView->AsFloat(), 1.0);
        QVERIFY(journal->Exam->Locate("Risk id", 1));
        QCOMPARE(journal->ExamExaminationView->DisplayText(), QString("141"));
    }

    void textToFieldAnsweredNo() {
        TPatientRows rows = Rows();
        rows.Patient(1, EncodeDate(1950, 3, 1), "0001");
        rows.Journal(10, 1, EncodeDate(2020, 1, 10));
        rows.Exam(10, 33, 24, 25); // BMI: no unit category, so not converted; 10..70
        TJournalWorld world(false);
        TDatedJournal* journal = world.Journal.get();
        QVERIFY(journal->Exam->Locate("Risk id", 33));
        journal->Exam->Edit();
        {
            TModalAnswer question(TModalAnswer::Click("No"));
            journal->ExamExaminationView->SetText("80");
            QVERIFY(question.Shown);
        }
        QCOMPARE(journal->Exam->State(), TDataSetState::dsBrowse);
        QCOMPARE(journal->ExamExaminationView->AsFloat(), 24.0);
        QCOMPARE(Rows().Count("SELECT Examination FROM Exam WHERE \"Risk id\" = 33"), 24);
    }

    // ------------------------------------------------------------ identity

    void identity_data() {
        QTest::addColumn<QString>("sequence");
        QTest::addColumn<bool>("valid");
        QTest::newRow("a sequence of four digits") << "0012" << true;
        QTest::newRow("sequence 0000") << "0000" << false;
        QTest::newRow("letters in the sequence") << "0A12" << false;
    }
    void identity() {
        QFETCH(QString, sequence);
        QFETCH(bool, valid);
        Rows().Patient(1, EncodeDate(1950, 3, 1), sequence);
        TJournalWorld world(false);
        TDatedJournal* journal = world.Journal.get();
        QCOMPARE(journal->GetIdentity(), "010350" + sequence);
        QCOMPARE(journal->IdentityValid(), valid);

        // Editing an existing patient checks the identity on post.
        bool focused = false;
        journal->OnIdentityFocus = [&] { focused = true; };
        journal->Patient->Edit();
        journal->Patient->FieldByName("First name")->SetAsString("Anne");
        const QString error = ErrorOf([&] { journal->Patient->Post(); });
        QCOMPARE(error, valid ? QString("no error") : QString("Patient ID error"));
        QCOMPARE(focused, !valid);
        QCOMPARE(journal->Patient->State(), valid ? TDataSetState::dsBrowse : TDataSetState::dsEdit);
        if (!valid) {
            // The mask switched off lets the row go.
            FMediator->MainDictionary->SetFileName(ApplicationDirectory() + "Tavlo.mld");
            FMediator->MainDictionary->SetCurrentLanguage(2);
            QCOMPARE(ErrorOf([&] { journal->Patient->Post(); }), QString("Fejl i patient-id"));
            FMediator->MainDictionary->SetCurrentLanguage(1);
            journal->Mask->SetActive(false);
            journal->Patient->Post();
            QCOMPARE(Rows().Count("SELECT COUNT(*) FROM Patient WHERE \"First name\" = 'Anne'"), 1);
        }
    }

    void identityExpressionError() {
        ExecApplication("UPDATE ID SET Expression = 'Result := (' WHERE Name = 'DateSequence'");
        FMediator->ID->Refresh();
        Rows().Patient(1, EncodeDate(1950, 3, 1), "0001");
        TJournalWorld world(false);
        // Not "invalid": the formula's own error reaches the caller.
        QVERIFY(ErrorOf([&] { world.Journal->IdentityValid(); }) != "no error");
        ExecApplication("UPDATE ID SET Expression = 'Result := Undefined(1)' WHERE Name = 'DateSequence'");
        FMediator->ID->Refresh();
        QVERIFY_THROWS_EXCEPTION(EExprError, world.Journal->IdentityValid());
    }

    // ------------------------------------------------------------ new patient

    void newPatientBaseValues_data() {
        QTest::addColumn<int>("edition");
        QTest::addColumn<bool>("diabetic");
        QTest::addColumn<double>("risk7");
        QTest::newRow("Combined") << int(TEdition::Combined) << false << 0.0;
        QTest::newRow("Combined, diabetic asked") << int(TEdition::Combined) << true << 1.0;
        QTest::newRow("Diabetes edition") << int(TEdition::Diabetes) << false << 1.0;
        QTest::newRow("Prevention") << int(TEdition::Prevention) << false << 0.0;
    }
    void newPatientBaseValues() {
        QFETCH(int, edition);
        QFETCH(bool, diabetic);
        QFETCH(double, risk7);
        TJournalWorld world;
        SetEdition(TEdition(edition));
        TDatedJournal* journal = world.Journal.get();
        journal->Patient->Insert();
        QVERIFY(journal->Inserting());
        QCOMPARE(journal->Patient->FieldByName("Export")->AsBoolean(), false);
        journal->Patient->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1955, 5, 5));
        journal->Patient->FieldByName("Sequence id")->SetAsString("0001");
        journal->Patient->Post();
        QVERIFY(!journal->Inserting());
        const int id = journal->Patient->FieldByName("Patient id")->AsInteger();
        QVERIFY(id > 0);
        if (diabetic)
            journal->SetBaseDefaults(nullptr, true);
        TPatientRows rows = Rows();
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Base WHERE \"Patient id\" = ?", {id}), 5); // risks 5, 6, 7, 8, 9
        QCOMPARE(rows.Count("SELECT Examination FROM Base WHERE \"Patient id\" = ? AND \"Risk id\" = 8", {id}), 170);
        QCOMPARE(rows.Count("SELECT Examination FROM Base WHERE \"Patient id\" = ? AND \"Risk id\" = 7", {id}), int(risk7));
        // The filter hides risk 7; the others show, the view on its first row.
        QCOMPARE(journal->Base->RecordCount(), 4);
        QCOMPARE(journal->Base->RecNo(), 1);
        if (!diabetic)
            QVERIFY(world.Log().isEmpty()); // ending an insert does not recalculate
    }

    // ------------------------------------------------------------ new examination

    void firstExaminationFromTemplate() {
        TPatientRows rows = Rows();
        rows.Patient(1, EncodeDate(1950, 3, 1), "0001");
        rows.Exam(1, 1, 135, 125); // the template's blood pressure
        TJournalWorld world;
        TDatedJournal* journal = world.Journal.get();
        journal->Day = EncodeDate(2024, 5, 6);
        journal->Journal->Insert();
        QCOMPARE(journal->Journal->State(), TDataSetState::dsBrowse); // posted at once
        QCOMPARE(journal->Journal->FieldByName("Date")->AsDateTime(), EncodeDate(2024, 5, 6));
        QCOMPARE(journal->Journal->FieldByName("CalcID")->AsInteger(), 1);
        const int id = journal->Journal->FieldByName("Journal id")->AsInteger();
        QVERIFY(id > 1);
        // Every enabled examination risk of the model: 1, 2, 3, 4, 19, 33.
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Exam WHERE \"Journal id\" = ?", {id}), 6);
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Exam WHERE \"Journal id\" = ? AND Transferred = 1", {id}), 6);
        QCOMPARE(rows.Count("SELECT Examination FROM Exam WHERE \"Journal id\" = ? AND \"Risk id\" = 1", {id}), 135);
        QCOMPARE(rows.Count("SELECT Treatment FROM Exam WHERE \"Journal id\" = ? AND \"Risk id\" = 1", {id}), 125);
        QCOMPARE(rows.Count("SELECT Examination FROM Exam WHERE \"Journal id\" = ? AND \"Risk id\" = 4", {id}), 75);
        QCOMPARE(journal->Exam->RecordCount(), 6);
        QCOMPARE(journal->Exam->RecNo(), 1);

        // The mark shows until the value is changed; the goal keeps it.
        QVERIFY(journal->Exam->Locate("Risk id", 4));
        QCOMPARE(journal->ExamExaminationView->DisplayText(), QString("75 *"));
        QCOMPARE(journal->ExamExaminationView->Text(), QString("75"));
        journal->HideTransferMark = true;
        QCOMPARE(journal->ExamExaminationView->DisplayText(), QString("75"));
        journal->HideTransferMark = false;
        journal->Exam->Edit();
        journal->ExamTreatmentView->SetAsFloat(70);
        journal->Exam->Post();
        QCOMPARE(journal->ExamExaminationView->DisplayText(), QString("75 *"));
        journal->Exam->Edit();
        journal->ExamExaminationView->SetText("80");
        journal->Exam->Post();
        QCOMPARE(journal->ExamExaminationView->DisplayText(), QString("80"));
        QVERIFY(!journal->Exam->FieldByName("Transferred")->AsBoolean());
        // HDL's default "1.5" is read as data, whatever the separator.
        QVERIFY(journal->Exam->Locate("Risk id", 19));
        QCOMPARE(journal->Exam->FieldByName("_Examination")->AsFloat(), 1.5);
    }

    void nextExaminationInherits() {
        TwoPatients();
        TJournalWorld world;
        TDatedJournal* journal = world.Journal.get();
        journal->Day = EncodeDate(2024, 5, 6);
        FormatSettings().DecimalSeparator = ','; // the user's separator never touches the numbers
        Rows().Exec("UPDATE Exam SET Examination = 6.25 WHERE \"Journal id\" = 11 AND \"Risk id\" = 2");
        journal->Journal->Insert();
        const int first = journal->Journal->FieldByName("Journal id")->AsInteger();
        journal->Journal->Insert();
        const int second = journal->Journal->FieldByName("Journal id")->AsInteger();
        TPatientRows rows = Rows();
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Journal WHERE \"Journal id\" = ? AND Date = ?",
                            {first, EncodeDate(2024, 5, 6)}), 1);
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Journal WHERE \"Journal id\" = ? AND Date = ?",
                            {second, EncodeDate(2024, 5, 7)}), 1);
        // The first new one took the values of examination 11, the last before it.
        QCOMPARE(rows.Count("SELECT Examination FROM Exam WHERE \"Journal id\" = ? AND \"Risk id\" = 1", {first}), 151);
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Exam WHERE \"Journal id\" = ? AND \"Risk id\" = 2 AND "
                            "Examination = 6.25", {second}), 1);
        // Risks the previous examination did not have take their defaults.
        QCOMPARE(rows.Count("SELECT Examination FROM Exam WHERE \"Journal id\" = ? AND \"Risk id\" = 4", {first}), 75);
        // The previous examinations are untouched.
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Exam WHERE \"Journal id\" = 11"), 2);
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Exam WHERE Transferred = 1 AND \"Journal id\" IN (10, 11, 12, 20)"), 0);
        // The treatment items of the last examination went along, twice over.
        QCOMPARE(LinksOf({first}), 1);
        QCOMPARE(LinksOf({second}), 1);
        QCOMPARE(journal->LastJournalId, 0);
        QCOMPARE(journal->JournalLink->RecordCount(), 1);
    }

    // The new examination, its values and its items are one transaction:
    // a value the store refuses takes the examination back with it.
    void newExaminationFailsWhole() {
        TwoPatients();
        Rows().Exec("CREATE TRIGGER FailExam BEFORE INSERT ON Exam WHEN new.\"Risk id\" = 3 BEGIN "
                    "SELECT RAISE(ABORT, 'injected'); END");
        TJournalWorld world;
        TDatedJournal* journal = world.Journal.get();
        TModalAnswer reconcile(TModalAnswer::Key(Qt::Key_Escape));
        const QString error = ErrorOf([&] { journal->Journal->Insert(); });
        QVERIFY2(error.contains("injected"), qPrintable(error));
        QCOMPARE(PatientRowsInStore(1), 2 + 3 + 6);
        QCOMPARE(LinksOf({10, 11, 12}), 2);
        QCOMPARE(TPatientRows{FMediator->Database}.Count("SELECT COUNT(*) FROM ItemLink WHERE JournalID > 20"), 0);
        QVERIFY(!journal->Inserting());
        QCOMPARE(journal->LastJournalId, 0);
        QVERIFY(!FMediator->PatientDatabase->InTransaction());
        QCOMPARE(journal->Journal->RecordCount(), 3);
        QCOMPARE(journal->Journal->State(), TDataSetState::dsBrowse);
    }

    void examinationNeedsAPatient() {
        TJournalWorld world;
        TDatedJournal* journal = world.Journal.get();
        QCOMPARE(ErrorOf([&] { journal->Journal->Insert(); }),
                 QString("Save or choose a patient before adding an examination."));
        journal->Patient->Insert();
        QCOMPARE(ErrorOf([&] { journal->Journal->Insert(); }),
                 QString("Save or choose a patient before adding an examination."));
        journal->Patient->Cancel();
        QVERIFY(!journal->Inserting());
        QCOMPARE(Rows().Count("SELECT COUNT(*) FROM Journal"), 0);
    }

    // ------------------------------------------------------------ the link to the calculation

    void journalChanged_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<QStringList>("calls");
        const QStringList once{"AssignFrom", "Recalculate", "OnJournalChange"};
        QTest::newRow("examination scrolled") << int(Scroll) << once;
        QTest::newRow("patient moved") << int(MovePatient) << once;
        QTest::newRow("value posted") << int(PostValue) << once;
        QTest::newRow("value posted, dependents") << int(PostDependent) << QStringList{"UpdateDependents 1"} + once;
        // The insert's end is quiet; the scroll that follows it is not.
        QTest::newRow("new examination") << int(NewExamination) << once;
        QTest::newRow("new patient") << int(NewPatient) << QStringList();
        QTest::newRow("edit cancelled") << int(CancelEdit) << once;
        // Once for the delete's end, once for the scroll after it.
        QTest::newRow("examination deleted") << int(DeleteExamination) << once + once;
        QTest::newRow("patient deleted") << int(DeletePatient) << once;
    }
    void journalChanged() {
        QFETCH(int, action);
        QFETCH(QStringList, calls);
        TwoPatients();
        TJournalWorld world;
        TDatedJournal* journal = world.Journal.get();
        journal->OnJournalChange = [&](TDataSet*) { world.Log() << "OnJournalChange"; };
        world.Log().clear();
        switch (TAction(action)) {
        case Scroll: journal->Journal->Next(); break;
        case MovePatient: journal->Patient->Next(); break;
        case PostValue:
        case PostDependent:
            journal->DependentUpdate = action == PostDependent;
            QVERIFY(journal->Exam->Locate("Risk id", 1));
            journal->Exam->Edit();
            journal->ExamExaminationView->SetText("150");
            journal->Exam->Post();
            break;
        case NewExamination: journal->Journal->Insert(); break;
        case NewPatient:
            journal->Patient->Insert();
            journal->Patient->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1955, 5, 5));
            journal->Patient->FieldByName("Sequence id")->SetAsString("0003");
            journal->Patient->Post();
            break;
        case CancelEdit:
            journal->Patient->Edit();
            journal->Patient->Cancel();
            break;
        case DeleteExamination: journal->Journal->Delete(); break;
        case DeletePatient: journal->Patient->Delete(); break;
        }
        QCOMPARE(world.Log(), calls);
        QVERIFY(!journal->Inserting());
        QVERIFY(!journal->Deleting());
    }

    // The posted value's risk goes to the calculation even when the row
    // leaves the view on posting and the cursor stands on another.
    void dependentsOfAValueLeavingTheView() {
        TwoPatients();
        TJournalWorld world;
        TDatedJournal* journal = world.Journal.get();
        journal->Exam->SetFilter("Examination < 200");
        journal->Exam->SetFiltered(true);
        journal->DependentUpdate = true;
        QVERIFY(journal->Exam->Locate("Risk id", 1));
        world.Log().clear();
        journal->Exam->Edit();
        journal->ExamExaminationView->SetAsFloat(250);
        journal->Exam->Post();
        QCOMPARE(world.Log().value(0), QString("UpdateDependents 1"));
    }

    void testPatient_data() {
        QTest::addColumn<bool>("test");
        QTest::addColumn<bool>("ignore");
        QTest::addColumn<bool>("result");
        QTest::newRow("a test patient") << true << false << true;
        QTest::newRow("test patients ignored") << true << true << false;
        QTest::newRow("an ordinary patient") << false << false << false;
    }
    void testPatient() {
        QFETCH(bool, test);
        QFETCH(bool, ignore);
        QFETCH(bool, result);
        Rows().Patient(1, EncodeDate(1950, 3, 1), "0001", "Anna", "Berg", test);
        Settings()->SetIgnoreTestPatient(ignore);
        TJournalWorld world(false);
        QCOMPARE(world.Journal->IsTestPatient(), result);
        Settings()->SetIgnoreTestPatient(false);
    }

    // An import fills its own table: rows by Risk id, the defaults as data.
    void baseDefaultsOfAnotherTable() {
        TJournalWorld world(false);
        FormatSettings().DecimalSeparator = ',';
        ExecApplication("UPDATE Risks SET \"Default\" = '172.5' WHERE \"Risk id\" = 8");
        world.Country->Risks->Refresh();
        TClientDataSet imported;
        imported.CreateDataSet({{"Risk id", TFieldType::ftInteger}, {"Examination", TFieldType::ftFloat}});
        imported.Append();
        imported.FieldByName("Risk id")->SetAsInteger(9);
        imported.FieldByName("Examination")->SetAsFloat(1);
        imported.Post();
        world.Journal->SetBaseDefaults(&imported, true);
        QCOMPARE(imported.RecordCount(), 5);
        QCOMPARE(imported.RecNo(), 1);
        QVERIFY(imported.Locate("Risk id", 8));
        QCOMPARE(imported.FieldByName("Examination")->AsFloat(), 172.5);
        QVERIFY(imported.Locate("Risk id", 7));
        QCOMPARE(imported.FieldByName("Examination")->AsFloat(), 1.0);
        QVERIFY(imported.Locate("Risk id", 9));
        QCOMPARE(imported.FieldByName("Examination")->AsFloat(), 0.0); // the default replaces it
        QCOMPARE(Rows().Count("SELECT COUNT(*) FROM Base"), 0);
    }

    // The copy holds the current patient only, positioned as the journal is.
    void copyForTheCalculation() {
        TwoPatients();
        TJournalWorld world;
        TDatedJournal* journal = world.Journal.get();
        journal->AgeOverride = 52;
        QVERIFY(journal->Journal->Locate("Journal id", 10));
        QVERIFY(journal->Exam->Locate("Risk id", 2));
        journal->JournalChanged(nullptr);
        TTvWorkJournalDataModule* copy = world.Calculation->Copy.get();
        QCOMPARE(copy->Patient->RecordCount(), 1);
        QCOMPARE(copy->Patient->FieldByName("Patient id")->AsInteger(), 1);
        QCOMPARE(Column(copy->Journal, "Journal id"), QStringList({"12", "10", "11"}));
        QCOMPARE(copy->Journal->FieldByName("Journal id")->AsInteger(), 10);
        QCOMPARE(copy->AgeOverride, 52);
        QCOMPARE(copy->GetAge(), 52);
        // Base values of the patient, the hidden diabetes row among them.
        QCOMPARE(copy->Base->Data().Rows.size(), 2);
        QCOMPARE(copy->Base->RecordCount(), 1);
        // The values of every examination; the view shows the current one's.
        QCOMPARE(copy->Exam->Data().Rows.size(), 6);
        QCOMPARE(copy->Exam->RecordCount(), 2);
        QCOMPARE(copy->Exam->FieldByName("Risk id")->AsInteger(), 2);
        QCOMPARE(copy->Exam->FieldByName("_Examination")->AsFloat(), 6.5);

        // Moving to the other patient replaces everything.
        journal->Patient->Next();
        QCOMPARE(copy->Patient->RecordCount(), 1);
        QCOMPARE(copy->Patient->FieldByName("Patient id")->AsInteger(), 2);
        QCOMPARE(Column(copy->Journal, "Journal id"), QStringList({"20"}));
        QCOMPARE(copy->Exam->Data().Rows.size(), 2);
        QCOMPARE(copy->Exam->FieldByName("_Examination")->AsFloat(), 160.0);
    }

    // ------------------------------------------------------------ deleting

    void deleteExamination() {
        TwoPatients();
        Rows().Exam(10, 33, 25, 25); // a value a model's filter may hide
        TJournalWorld world;
        TDatedJournal* journal = world.Journal.get();
        journal->Exam->SetFilter("[Risk id] <> 33");
        journal->Exam->SetFiltered(true);
        QVERIFY(journal->Journal->Locate("Journal id", 10));
        journal->Journal->Delete();
        TPatientRows rows = Rows();
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Exam WHERE \"Journal id\" = 10"), 0);
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Journal WHERE \"Journal id\" = 10"), 0);
        QCOMPARE(LinksOf({10}), 0);
        QCOMPARE(LinksOf({11, 20}), 2);
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Exam"), 6);
        // The catalogue stays.
        QVERIFY(TPatientRows{FMediator->Database}.Count("SELECT COUNT(*) FROM ItemLink WHERE JournalID = 1") > 0);
        QCOMPARE(journal->Journal->RecordCount(), 2);
    }

    void deletePatient() {
        TwoPatients();
        TJournalWorld world;
        TDatedJournal* journal = world.Journal.get();
        QCOMPARE(journal->Patient->FieldByName("Patient id")->AsInteger(), 1);
        journal->Patient->Delete();
        QCOMPARE(PatientRowsInStore(1), 0);
        QCOMPARE(LinksOf({10, 11, 12}), 0);
        QCOMPARE(PatientRowsInStore(2), 1 + 1 + 2);
        QCOMPARE(LinksOf({20}), 1);
        QCOMPARE(journal->Patient->FieldByName("Patient id")->AsInteger(), 2);
        QCOMPARE(Column(journal->Journal, "Journal id"), QStringList({"20"}));
        QCOMPARE(journal->Exam->RecordCount(), 2);
    }

    // A failure halfway leaves every row where it was, and reaches the caller.
    void deleteFailsHalfway_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("patient");
        QTest::newRow("an examination's values") << "CREATE TRIGGER FailExam BEFORE DELETE ON Exam WHEN "
                                                    "old.\"Journal id\" = 11 BEGIN SELECT RAISE(ABORT, 'injected'); END"
                                                 << true;
        QTest::newRow("the examinations") << "CREATE TRIGGER FailJournal BEFORE DELETE ON Journal BEGIN "
                                             "SELECT RAISE(ABORT, 'injected'); END"
                                          << true;
        QTest::newRow("the base values") << "CREATE TRIGGER FailBase BEFORE DELETE ON Base BEGIN "
                                            "SELECT RAISE(ABORT, 'injected'); END"
                                         << true;
        QTest::newRow("the patient row, last") << "CREATE TRIGGER FailPatient BEFORE DELETE ON Patient BEGIN "
                                                  "SELECT RAISE(ABORT, 'injected'); END"
                                               << true;
        QTest::newRow("an examination alone") << "CREATE TRIGGER FailJournal BEFORE DELETE ON Journal BEGIN "
                                                 "SELECT RAISE(ABORT, 'injected'); END"
                                              << false;
    }
    void deleteFailsHalfway() {
        QFETCH(QString, trigger);
        QFETCH(bool, patient);
        TwoPatients();
        Rows().Exec(trigger);
        TJournalWorld world;
        TDatedJournal* journal = world.Journal.get();
        QVERIFY(journal->Journal->Locate("Journal id", 11));
        // A row the store refuses to delete is shown in the update-error
        // dialog; the user closes it.
        TModalAnswer reconcile(TModalAnswer::Key(Qt::Key_Escape));
        const QString error = ErrorOf([&] { patient ? journal->Patient->Delete() : journal->Journal->Delete(); });
        QVERIFY2(error.contains("injected"), qPrintable(error));
        QCOMPARE(PatientRowsInStore(1), 2 + 3 + 6);
        QCOMPARE(Rows().Count("SELECT COUNT(*) FROM Patient"), 2);
        QCOMPARE(LinksOf({10, 11, 12}), 2);
        QVERIFY(!journal->Deleting());
        QVERIFY(!FMediator->PatientDatabase->InTransaction());
        QVERIFY(!FMediator->Database->InTransaction());
        // The views show the rows that are stored.
        QCOMPARE(journal->Patient->RecordCount(), 2);
        QCOMPARE(journal->Journal->RecordCount(), journal->Patient->FieldByName("Patient id")->AsInteger() == 1 ? 3 : 1);
    }

    // ------------------------------------------------------------ catalogue guards

    void reservedGroups_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("refused");
        QTest::newRow("the caption") << 1 << true;
        QTest::newRow("the second reserved word") << 2 << true;
        QTest::newRow("an ordinary group") << 3 << false;
    }
    void reservedGroups() {
        QFETCH(int, id);
        QFETCH(bool, refused);
        TJournalWorld world(false);
        TMlTable* table = id == 1 ? world.Journal->GroupLable : world.Journal->Group;
        QVERIFY(table->Locate("ID", id));
        TModalAnswer dialog;
        const bool aborted = [&] {
            try {
                table->Delete();
            } catch (const EAbort&) {
                return true;
            }
            return false;
        }();
        QCOMPARE(aborted, refused);
        QCOMPARE(dialog.Shown, refused);
        if (refused)
            QCOMPARE(dialog.Text, QString::fromUtf8("Reserveret ord må ikke slettes!"));
        TPatientRows app{FMediator->Database};
        QCOMPARE(app.Count("SELECT COUNT(*) FROM ItemGroup WHERE ID = ?", {id}), refused ? 1 : 0);
    }

    void captionItem() {
        TJournalWorld world(false);
        world.Journal->Item->Open();
        QVERIFY(world.Journal->ItemLable->Locate("ID", 1));
        QVERIFY_THROWS_EXCEPTION(EAbort, world.Journal->ItemLable->Delete());
        world.Journal->Item->SetFiltered(false);
        QVERIFY(world.Journal->Item->Locate("ID", 1));
        QVERIFY_THROWS_EXCEPTION(EAbort, world.Journal->Item->Delete());
        TPatientRows app{FMediator->Database};
        QCOMPARE(app.Count("SELECT COUNT(*) FROM Item WHERE ID = 1"), 1);
    }

    // ------------------------------------------------------------ diabetes and models

    void diabetesSwitch_data() {
        QTest::addColumn<int>("edition");
        QTest::addColumn<bool>("switches");
        QTest::newRow("Combined") << int(TEdition::Combined) << true;
        QTest::newRow("Prevention") << int(TEdition::Prevention) << false;
    }
    void diabetesSwitch() {
        QFETCH(int, edition);
        QFETCH(bool, switches);
        TwoPatients(); // patient 1 has the diabetes value 1, patient 2 no row
        SetEdition(TEdition(edition));
        TJournalWorld world(false);
        TDatedJournal* journal = world.Journal.get();
        QStringList raised;
        journal->OnModelSwitch = [&](QObject*) {
            raised << (FMediator->DiabetesSwitch->Diabetes() ? "diabetes" : "non-diabetes");
        };
        journal->Patient->First();
        journal->Patient->Next();
        journal->Patient->First();
        QCOMPARE(raised, switches ? QStringList({"diabetes", "non-diabetes", "diabetes"}) : QStringList());
        // Typing the value of risk 7 switches too.
        raised.clear();
        journal->Base->SetFiltered(false);
        QVERIFY(journal->Base->Locate("Risk id", 7));
        journal->Base->Edit();
        journal->BaseExaminationView->SetText("No");
        journal->Base->Post();
        QCOMPARE(raised, switches ? QStringList({"non-diabetes"}) : QStringList());
    }

    void restrictToModel() {
        TwoPatients();
        Rows().Exam(12, 33, 25, 25);
        ExecApplication("UPDATE Risks_P SET Visible = 0 WHERE \"Risk id\" IN (2, 8) AND CalcID = 1");
        TRecordingCalculation model;
        TJournalWorld world(false);
        TDatedJournal* journal = world.Journal.get();
        journal->RestrictToModel(&model.Risks);
        QCOMPARE(journal->Base->Filter(), QString("[Risk id] = 5 or [Risk id] = 6 or [Risk id] = 7 or [Risk id] = 9"));
        QCOMPARE(journal->Exam->Filter(),
                 QString("[Risk id] = 1 or [Risk id] = 3 or [Risk id] = 4 or [Risk id] = 19 or [Risk id] = 33"));
        QVERIFY(journal->Base->Filtered());
        QCOMPARE(Column(journal->Base, "Risk id"), QStringList({"7"}));
        QCOMPARE(Column(journal->Exam, "Risk id"), QStringList({"1", "33"}));
        // Not a risk table: both filters empty and off.
        journal->RestrictToModel(journal->Patient);
        QVERIFY(!journal->Base->Filtered());
        QCOMPARE(journal->Exam->RecordCount(), 3);
    }

    // The copy stands where the journal stands, also on a value the copy's
    // own filter would hide (the diabetes value, shown by a model's filter).
    void copyOnAModelsValue() {
        TwoPatients();
        SetEdition(TEdition::Prevention);
        TJournalWorld world;
        TTvWorkJournalDataModule* journal = world.Journal.get();
        journal->RestrictToModel(&world.Calculation->Risks);
        QVERIFY(journal->Base->Locate("Risk id", 7));
        journal->JournalChanged(nullptr);
        TTvWorkJournalDataModule* copy = world.Calculation->Copy.get();
        QCOMPARE(copy->Base->FieldByName("Risk id")->AsInteger(), 7);
        QCOMPARE(copy->Base->FieldByName("_Examination")->AsFloat(), 1.0);
    }

    // The Enabled lookup follows the calculation's model risks.
    void enabledLookup() {
        TwoPatients();
        ExecApplication("UPDATE Risks_P SET Enabled = 0 WHERE \"Risk id\" = 2 AND CalcID = 1");
        TJournalWorld world;
        TMlTable* exam = world.Journal->Exam;
        QVERIFY(exam->Locate("Risk id", 1));
        QCOMPARE(exam->FieldByName("Enabled")->AsBoolean(), true);
        QVERIFY(exam->Locate("Risk id", 2));
        QCOMPARE(exam->FieldByName("Enabled")->AsBoolean(), false);
    }
    // ------------------------------------------------------------ sex from a Danish identity

    // A new Danish patient's sex is proposed by the last digit of the
    // sequence id (odd a man, even a woman) in place of the default; other
    // countries and other sequence ids keep the default.
    void proposedSex_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("sequence");
        QTest::addColumn<QString>("defaultSex");
        QTest::addColumn<double>("sex");
        QTest::newRow("Danish, odd: man") << "da/dk" << "0013" << "1" << 0.0;
        QTest::newRow("Danish, even: woman") << "da/dk" << "0014" << "0" << 1.0;
        QTest::newRow("Danish, zero is even") << "da/dk" << "0010" << "0" << 1.0;
        QTest::newRow("Danish, no digit at the end") << "da/dk" << "001X" << "1" << 1.0;
        QTest::newRow("British: the default") << "en/gb" << "0014" << "0" << 0.0;
    }
    void proposedSex() {
        QFETCH(QString, language);
        QFETCH(QString, sequence);
        QFETCH(QString, defaultSex);
        QFETCH(double, sex);
        ExecApplication("UPDATE Risks SET \"Default\" = ? WHERE \"Risk id\" = 5", {defaultSex});
        TJournalWorld world(true, language);
        TDatedJournal* journal = world.Journal.get();
        journal->Patient->Insert();
        journal->Patient->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1955, 5, 5));
        journal->Patient->FieldByName("Sequence id")->SetAsString(sequence);
        journal->Patient->Post();
        const int id = journal->Patient->FieldByName("Patient id")->AsInteger();
        TPatientRows rows = Rows();
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Base WHERE \"Patient id\" = ? AND \"Risk id\" = 5", {id}), 1);
        QCOMPARE(rows.Count("SELECT Examination FROM Base WHERE \"Patient id\" = ? AND \"Risk id\" = 5", {id}), int(sex));
        // The other base values take their defaults as before.
        QCOMPARE(rows.Count("SELECT Examination FROM Base WHERE \"Patient id\" = ? AND \"Risk id\" = 8", {id}), 170);
    }

    // Only a default is proposed: a sex the patient has already is kept,
    // while the base values without one are still made.
    void proposedSexKeepsAValue() {
        TPatientRows rows = Rows();
        rows.Patient(1, EncodeDate(1950, 3, 1), "0013");
        rows.Base(1, 5, 1);
        TJournalWorld world(true, "da/dk");
        TDatedJournal* journal = world.Journal.get();
        QCOMPARE(journal->ProposedSex(), std::optional<int>(0));
        journal->SetInserting(true);
        journal->SetBaseDefaults(nullptr, false);
        journal->SetInserting(false);
        QCOMPARE(rows.Count("SELECT Examination FROM Base WHERE \"Patient id\" = 1 AND \"Risk id\" = 5"), 1);
        QCOMPARE(rows.Count("SELECT COUNT(*) FROM Base WHERE \"Patient id\" = 1"), 5);
    }
};

TAVLO_TEST(TestJournalDM);

#include "tst_JournalDM.moc"
