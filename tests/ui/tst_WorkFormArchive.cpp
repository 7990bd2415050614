// The work window's archive: the sortable patient list with its search, and
// the search page, whose typed names and birth date reach the store as
// parameters, never as statement text.

#include "TestMain.h"
#include "tst_WorkFormFixture.h"

#include "BvDBGrid.h"
#include "DBTables.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

class TestWorkFormArchive : public QObject {
    Q_OBJECT
    TWorkFixture F;

    QStringList Found(TTvWorkForm* form) {
        QStringList names;
        if (!form->Query->Active())
            return names;
        for (const QString& name : Column(form->Query, "Last name"))
            names << name;
        names.sort();
        return names;
    }

private slots:
    void initTestCase() { F.Start("WorkArchiveSeed"); }
    void init() {
        TPatientRows rows = F.Reset();
        rows.Patient(1, EncodeDate(1950, 2, 1), "0001", "Anna", "Hansen");
        rows.Patient(2, EncodeDate(2050, 2, 1), "0001", "Bo", "Halsen");
        rows.Patient(3, EncodeDate(1970, 5, 3), "0001", "Cora", "O'Brien");
        rows.Patient(4, EncodeDate(1950, 2, 1), "0002", "Dan", "Holm");
        rows.Patient(5, EncodeDate(1980, 7, 9), "0001", "Anna", "Berg");
        rows.Exec("UPDATE Patient SET Export = 1 WHERE \"Patient id\" IN (3, 5)");
    }
    void cleanup() { F.Close(); }
    void cleanupTestCase() { F.Stop(); }

    void search_data() {
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<bool>("exportOnly");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QString>("format");
        QTest::newRow("wildcard") << "Ha..sen" << "" << "" << false << QStringList{"Halsen", "Hansen"} << QString();
        QTest::newRow("exact") << "Holm" << "" << "" << false << QStringList{"Holm"} << QString();
        QTest::newRow("quote in name") << "O'Brien" << "" << "" << false << QStringList{"O'Brien"} << QString();
        QTest::newRow("statement typed") << "'); DROP TABLE Patient; --" << "" << "" << false << QStringList{} << QString();
        QTest::newRow("first name") << "" << "Anna" << "" << false << QStringList{"Berg", "Hansen"} << QString();
        QTest::newRow("both names") << "..n" << "Anna" << "" << false << QStringList{"Hansen"} << QString();
        QTest::newRow("two-digit year, both centuries") << "" << "" << "010250" << false
                                                       << QStringList{"Halsen", "Hansen", "Holm"} << QString();
        QTest::newRow("four-digit year") << "" << "" << "01021950" << false << QStringList{"Hansen", "Holm"}
                                         << "dd-mm-yyyy";
        QTest::newRow("year first") << "" << "" << "19500201" << false << QStringList{"Hansen", "Holm"} << "yyyy-mm-dd";
        QTest::newRow("month first, two digits") << "" << "" << "020150" << false
                                                 << QStringList{"Halsen", "Hansen", "Holm"} << "mm-dd-yy";
        QTest::newRow("date and name") << "H..m" << "" << "010250" << false << QStringList{"Holm"} << QString();
        QTest::newRow("too few digits") << "Holm" << "" << "0102" << false << QStringList{"Holm"} << QString();
        QTest::newRow("impossible date") << "" << "" << "310250" << false << QStringList{} << QString();
        QTest::newRow("export") << "" << "" << "" << true << QStringList{"Berg", "O'Brien"} << QString();
    }
    void search() {
        QFETCH(QString, lastName);
        QFETCH(QString, firstName);
        QFETCH(QString, birthDate);
        QFETCH(bool, exportOnly);
        QFETCH(QStringList, found);
        QFETCH(QString, format);
        if (!format.isEmpty())
            F.Mediator->Database->ExecSql("UPDATE Country SET BirthDateFormat = ?", {format});
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(1);
        QTest::keyClicks(form->QueryLastNameEdit, lastName);
        QTest::keyClicks(form->QueryFirstNameEdit, firstName);
        form->QueryBirthDateEdit->setFocus();
        form->QueryBirthDateEdit->setCursorPosition(0);
        QTest::keyClicks(form->QueryBirthDateEdit, birthDate);
        form->QueryExportCheck->setChecked(exportOnly);
        QTest::mouseClick(form->SearchButton, Qt::LeftButton);
        QVERIFY2(F.Errors.isEmpty(), qPrintable(F.Errors.join('\n')));
        QCOMPARE(Found(form), found);
        QCOMPARE(F.StoredCount(), 5); // whatever was typed, the table is whole
    }

    // The statement pastes no typed text: every value is a parameter.
    void statementBindsTypedText() {
        TTvWorkForm* form = F.Open();
        form->QueryLastNameEdit->setText("Ha..sen'");
        QVariantList params;
        const QString statement = form->QueryStatement(params);
        QVERIFY(!statement.contains("Ha"));
        QVERIFY(statement.contains("(Patient.\"Last name\" LIKE :P0)"));
        QCOMPARE(params, QVariantList{"Ha%sen'"});
        QVERIFY(statement.startsWith("SELECT Patient.\"Patient ID\", Patient.\"Last name\""));
    }

    void nothingTypedSearchesNothing() {
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(1);
        QTest::keyClicks(form->QueryLastNameEdit, "Holm");
        QTest::mouseClick(form->SearchButton, Qt::LeftButton);
        QCOMPARE(Found(form), QStringList{"Holm"});
        QTest::mouseClick(form->NewSearchButton, Qt::LeftButton);
        QVERIFY(form->QueryLastNameEdit->text().isEmpty());
        QVERIFY(form->QueryLastNameEdit->hasFocus());
        QTest::mouseClick(form->SearchButton, Qt::LeftButton);
        QVERIFY(!form->Query->Active());
        QCOMPARE(form->QueryGrid->model()->rowCount(), 0);
    }

    // Only digits and the date separator go into the birth-date input.
    void birthDateInputTakesDigits() {
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(1);
        form->QueryBirthDateEdit->setFocus();
        form->QueryBirthDateEdit->setCursorPosition(0);
        QTest::keyClicks(form->QueryBirthDateEdit, "0a1b0c2d5e0");
        QCOMPARE(form->QueryBirthDateEdit->text(), QString("01-02-50"));
    }

    // Moving in the result moves the current patient; back on the list it is the one chosen.
    void resultMovesPatient() {
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(1);
        QTest::keyClicks(form->QueryLastNameEdit, "H..");
        QTest::mouseClick(form->SearchButton, Qt::LeftButton);
        QCOMPARE(form->Query->RecordCount(), 3);
        QVERIFY(form->Query->Locate("Last name", "Holm"));
        QCOMPARE(F.Current("Last name"), QString("Holm"));
        form->QueryGrid->setFocus();
        QTest::keyClick(form->QueryGrid, Qt::Key_Up);
        QCOMPARE(F.Current("Patient id"), form->Query->FieldByName("Patient ID")->AsString());
        form->SelectPageCode(0);
        QCOMPARE(F.Current("Patient id"), form->Query->FieldByName("Patient ID")->AsString());
    }

    // The inputs stand over the grid's first columns.
    void inputsOverColumns() {
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(1);
        QTest::keyClicks(form->QueryLastNameEdit, "H..");
        QTest::mouseClick(form->SearchButton, Qt::LeftButton);
        Settle();
        const int first = form->QueryGrid->Column(0)->Width();
        QCOMPARE(form->QueryLastNameEdit->width(), first + 2);
        QCOMPARE(form->QueryFirstNameEdit->x() - form->QueryLastNameEdit->x(), first + 1);
        QCOMPARE(form->QueryLastNameLabel->x(), form->QueryLastNameEdit->x());
        QCOMPARE(form->QueryBirthDateEdit->width(), form->QueryGrid->Column(2)->Width() + 2);
    }

    // The list sorts by the column clicked and searches as the user types.
    void listSortsAndSearches() {
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(0);
        Settle();
        TBvDBGrid* grid = form->PatientGrid;
        QCOMPARE(grid->SortColumn(), 0);
        QCOMPARE(Column(F.Patient(), "Last name"), QStringList({"Berg", "Halsen", "Hansen", "Holm", "O'Brien"}));
        grid->setFocus();
        QTest::keyClicks(grid, "Ho");
        QCOMPARE(F.Current("Last name"), QString("Holm"));
        grid->SetSortColumn(2);
        QCOMPARE(Column(F.Patient(), "Last name").first(), QString("Hansen"));
        // Delete and Enter in the list do nothing.
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Delete);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(F.StoredCount(), 5);
        QCOMPARE(F.Patient()->State(), TDataSetState::dsBrowse);
        // Insert starts a patient row, as the journal inserts one.
        QTest::keyClick(grid, Qt::Key_Insert);
        QCOMPARE(F.Patient()->State(), TDataSetState::dsInsert);
        QCOMPARE(form->ActivePageCode(), 0);
        F.Patient()->Cancel();
    }
};

TAVLO_TEST(TestWorkFormArchive);

#include "tst_WorkFormArchive.moc"
