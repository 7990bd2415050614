// The patient identity as the work window types it: the country's date
// format and masks, the century of a two-digit year, the automatic sequence
// number, the validation and an identity that exists already.

#include "TestMain.h"
#include "ModalAnswer.h"
#include "tst_WorkFormFixture.h"

#include "BvDBGrid.h"
#include "TvWorkCountryDM.h"
#include "TvWorkJournalDM.h"

#include <QTabWidget>
#include "BvDictionary.h"

class TestWorkFormIdentity : public QObject {
    Q_OBJECT
    TWorkFixture F;

    // A new patient with the birth date typed, the focus then moved on.
    void TypeNewPatient(TTvWorkForm* form, const QString& birth, const QString& sequence, QWidget* leaveTo) {
        form->NewPatientAction->trigger();
        QVERIFY(form->BirthDateEdit->hasFocus());
        form->BirthDateEdit->setCursorPosition(0);
        QTest::keyClicks(form->BirthDateEdit, birth);
        if (!sequence.isNull()) {
            form->SequenceIdEdit->setFocus();
            form->SequenceIdEdit->setCursorPosition(0);
            QTest::keyClicks(form->SequenceIdEdit, sequence);
        }
        leaveTo->setFocus();
        Settle();
    }

private slots:
    void initTestCase() { F.Start("WorkIdentitySeed"); }
    void init() { F.Reset(); }
    void cleanup() { F.Close(); }
    void cleanupTestCase() { F.Stop(); }

    void birthDateFormat_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("mask");
        QTest::newRow("two-digit year") << "dd-mm-yy" << "99-99-99";
        QTest::newRow("four-digit year") << "dd-mm-yyyy" << "99-99-9999";
        QTest::newRow("other separator") << "yyyy/mm/dd" << "9999/99/99";
    }
    void birthDateFormat() {
        QFETCH(QString, format);
        QFETCH(QString, mask);
        F.Mediator->Database->ExecSql("UPDATE Country SET BirthDateFormat = ?", {format});
        TTvWorkForm* form = F.Open();
        QCOMPARE(FormatSettings().ShortDateFormat, format);
        QCOMPARE(FormatSettings().DateSeparator, QChar('-'));
        QCOMPARE(form->BirthDateMaskText(), mask);
        QCOMPARE(F.Patient()->FieldByName("Birth date")->EditMask(), mask + ";1;_");
        QCOMPARE(F.Material->JournalData->Journal->FieldByName("Date")->EditMask(), mask + ";1;_");
        const int width = qRound(7.0 * format.size());
        QCOMPARE(form->BirthDateEdit->minimumWidth(), width);
        QCOMPARE(form->DateEdit->minimumWidth(), width);
        QCOMPARE(form->QueryBirthDateEdit->minimumWidth(), width);
        QCOMPARE(form->QueryGrid->Column(2)->Width(), width);
        QCOMPARE(InputMaskOf("!" + mask + ";0;_"), QString(mask).replace('9', '0') + ";_");
        QCOMPARE(InputMaskOf("0AA0;0;_"), QString("9NN9;_"));
        // Applying the format empties the search inputs.
        form->QueryLastNameEdit->setText("Holm");
        form->ApplyBirthDateFormat();
        QVERIFY(form->QueryLastNameEdit->text().isEmpty());
    }

    // A new patient typed with the country's rules: the United Kingdom numbers
    // the sequence ids itself, Denmark has them typed and validated.
    void typedIdentity_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("sameDay"); // sequence ids of patients born that day
        QTest::addColumn<QString>("birth");
        QTest::addColumn<QString>("sequence"); // null: not typed
        QTest::addColumn<QString>("stored");   // the new patient's sequence id; empty when not posted
        QTest::addColumn<QString>("storedBirth");
        QTest::addColumn<QString>("error");
        const QString none;
        QTest::newRow("uk, first of the day") << "en/gb" << QStringList{} << "010250" << none << "0001" << "01-02-50"
                                              << "";
        QTest::newRow("uk, after 0007") << "en/gb" << QStringList{"0003", "0007"} << "010250" << none << "0008"
                                        << "01-02-50" << "";
        QTest::newRow("uk, after an empty one") << "en/gb" << QStringList{""} << "010250" << none << "0001"
                                                << "01-02-50" << "";
        QTest::newRow("uk, future year goes back a century") << "en/gb" << QStringList{} << "010245" << none
                                                             << "0001" << "01-02-45" << "";
        QTest::newRow("uk, sequence not a number") << "en/gb" << QStringList{"00A1"} << "010250" << none << ""
                                                   << "" << "is not a number";
        QTest::newRow("dk, valid") << "da/dk" << QStringList{} << "010250" << "1234" << "1234" << "01-02-50" << "";
        QTest::newRow("dk, letters are invalid") << "da/dk" << QStringList{} << "010250" << "12ab" << "" << ""
                                                 << "Invalid patient id";
        QTest::newRow("dk, no sequence id") << "da/dk" << QStringList{} << "010250" << "" << "" << ""
                                            << "Invalid patient id";
    }
    void typedIdentity() {
        QFETCH(QString, language);
        QFETCH(QStringList, sameDay);
        QFETCH(QString, birth);
        QFETCH(QString, sequence);
        QFETCH(QString, stored);
        QFETCH(QString, storedBirth);
        QFETCH(QString, error);
        TPatientRows rows{F.Mediator->PatientDatabase};
        int id = 10;
        for (const QString& same : sameDay)
            rows.Patient(id++, EncodeDate(1950, 2, 1), same, "Same", "Day");
        rows.Patient(id++, EncodeDate(1950, 2, 2), "0009", "Next", "Day");
        TTvWorkForm* form = F.Open(language);
        const int before = F.StoredCount();
        TypeNewPatient(form, birth, sequence, form->LastNameEdit);
        if (error.isEmpty()) {
            QVERIFY2(F.Errors.isEmpty(), qPrintable(F.Errors.join('\n')));
            QCOMPARE(F.Patient()->State(), TDataSetState::dsBrowse);
            QCOMPARE(F.StoredCount(), before + 1);
            QCOMPARE(F.Current("Sequence id"), stored);
            QCOMPARE(F.Current("Birth date"), storedBirth);
            // A two-digit year never makes a birth date in the future.
            QVERIFY(F.Patient()->FieldByName("Birth date")->AsDateTime() <= Date());
            QVERIFY(!form->AgeEdit->text().isEmpty());
            QCOMPARE(form->AgeEdit->text().toInt(), F.Material->JournalData->GetAge());
            QVERIFY(!form->BirthDateEdit->Modified() && !form->SequenceIdEdit->Modified());
        } else {
            QCOMPARE(F.Errors.size(), 1);
            const QString expected =
                error == "Invalid patient id" ? F.Material->CountryData->InvalidIdMessage() : error;
            QVERIFY2(F.Errors[0].contains(expected), qPrintable(F.Errors[0]));
            QCOMPARE(F.Patient()->State(), TDataSetState::dsInsert);
            QCOMPARE(F.StoredCount(), before);
            QVERIFY(form->BirthDateEdit->hasFocus() || form->SequenceIdEdit->hasFocus());
        }
    }

    // Moving between the two identity edits neither validates nor posts.
    void movingBetweenIdentityEdits() {
        TTvWorkForm* form = F.Open("da/dk");
        TypeNewPatient(form, "010250", "12", form->BirthDateEdit);
        QVERIFY(F.Errors.isEmpty());
        QCOMPARE(F.Patient()->State(), TDataSetState::dsInsert);
        QVERIFY(form->BirthDateEdit->hasFocus());
        // Leaving the birth date without a date keeps the focus there.
        F.Patient()->Cancel();
        form->NewPatientAction->trigger();
        form->LastNameEdit->setFocus();
        Settle();
        QVERIFY(form->BirthDateEdit->hasFocus());
        QVERIFY(F.Errors.isEmpty());
    }

    // An identity that exists already: go there, stay to correct it, or drop the new one.
    void existingIdentity_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("current");
        QTest::newRow("yes: go to the patient") << "&Yes" << int(TDataSetState::dsBrowse) << "Holm";
        QTest::newRow("no: stay in the row") << "&No" << int(TDataSetState::dsInsert) << "";
        QTest::newRow("cancel: drop the new one") << "Cancel" << int(TDataSetState::dsBrowse) << "Berg";
    }
    void existingIdentity() {
        QFETCH(QString, button);
        QFETCH(int, state);
        QFETCH(QString, current);
        TPatientRows rows{F.Mediator->PatientDatabase};
        rows.Patient(1, EncodeDate(1940, 1, 1), "0001", "Anna", "Berg");
        rows.Patient(2, EncodeDate(1950, 2, 1), "1234", "Dan", "Holm");
        TTvWorkForm* form = F.Open("da/dk");
        TModalAnswer answer(TModalAnswer::Click(TranslateText(button)));
        TypeNewPatient(form, "010250", "1234", form->LastNameEdit);
        QVERIFY(answer.Shown);
        QCOMPARE(answer.Text, TranslateText("Patient ID already exists.\r\nGo to patient?"));
        QCOMPARE(int(F.Patient()->State()), state);
        QCOMPARE(F.StoredCount(), 2);
        if (!current.isEmpty())
            QCOMPARE(F.Current("Last name"), current);
        else
            QCOMPARE(F.Current("Sequence id"), QString("1234"));
    }

    // The typed age stands in for the birth date's until the birth date changes.
    void typedAge_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("override");
        QTest::newRow("a number") << "45" << 45;
        QTest::newRow("nothing") << "" << 0;
        QTest::newRow("zero") << "0" << 0;
    }
    void typedAge() {
        QFETCH(QString, typed);
        QFETCH(int, override);
        TPatientRows rows{F.Mediator->PatientDatabase};
        rows.Patient(1, EncodeDate(1950, 2, 1), "0001", "Anna", "Berg");
        TTvWorkForm* form = F.Open();
        TTvWorkJournalDataModule* journal = F.Material->WorkJournal();
        const int real = journal->GetAge();
        QCOMPARE(form->AgeEdit->text(), QString::number(real));
        form->AgeEdit->setFocus();
        form->AgeEdit->selectAll();
        QTest::keyClick(form->AgeEdit, Qt::Key_Backspace);
        QTest::keyClicks(form->AgeEdit, typed + "x");
        QTest::keyClick(form->AgeEdit, Qt::Key_Return);
        QCOMPARE(journal->AgeOverride, override);
        QCOMPARE(form->AgeEdit->text(), QString::number(override ? override : real));
        form->RefreshAge();
        QCOMPARE(journal->AgeOverride, 0);
        QCOMPARE(form->AgeEdit->text(), QString::number(real));
    }

    // The sequence id is typed in the United Kingdom by nobody: the edit is read-only and skipped.
    void sequenceEditFollowsCountry_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("uk") << "en/gb" << true;
        QTest::newRow("dk") << "da/dk" << false;
    }
    void sequenceEditFollowsCountry() {
        QFETCH(QString, language);
        QFETCH(bool, readOnly);
        TTvWorkForm* form = F.Open(language);
        QCOMPARE(form->SequenceIdEdit->isReadOnly(), readOnly);
        QCOMPARE(form->SequenceIdEdit->focusPolicy() == Qt::StrongFocus, !readOnly);
    }
};

TAVLO_TEST(TestWorkFormIdentity);

#include "tst_WorkFormIdentity.moc"
