#include "BvDictionary.h"
#include "BvTranslator.h"
#include "Exceptions.h"
#include "TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {
// Written as the file is: each line below is one line of the dictionary.
const char* const SmallDictionary =
    "# comment\n"
    "language 0 en/us \"English\"\n"
    "language 1 en/gb \"English (United Kingdom)\"\n"
    "language 2 DA/DK \"Dansk\"\n"
    "\n"
    "text \"Yes\"\n"
    "da/dk \"Ja\"\n"
    "text \"Warning\"\n"
    "en/gb \"Caution\"\n"
    "da/dk \"Advarsel\"\n"
    "text \"Two\\rlines \\\"quoted\\\" \\\\ C:\\Temp\\t.\"\n"
    "da/dk \"To\\nlinjer\"   # trailing comment\n"
    "text \"Empty\"\n"
    "da/dk \"\"\n"
    "\n";

QString ShippedDictionary() { return QCoreApplication::applicationDirPath() + "/Tavlo.mld"; }
} // namespace

class TestDictionary : public QObject {
    Q_OBJECT
private slots:
    void shippedFileHasTheLanguagesAndCodes() {
        TBvDictionary dictionary;
        dictionary.SetFileName(ShippedDictionary());
        QCOMPARE(dictionary.LanguageCount(), 3);
        QCOMPARE(dictionary.LanguageName(0), QString("English"));
        QCOMPARE(dictionary.LanguageCode(1), QString("en/gb"));
        QCOMPARE(dictionary.LanguageCode(2), QString("da/dk"));
        QCOMPARE(dictionary.IndexOfLanguageCode("DA/dk"), 2);
        QCOMPARE(dictionary.IndexOfLanguageCode("sv/se"), -1);
        QCOMPARE(dictionary.LanguageCode(3), QString());
        QCOMPARE(dictionary.Translate("In the future, do not show this warning", 2),
                 QString("Vis ikke denne advarsel fremover"));
        QCOMPARE(dictionary.Translate("Delete patient %s including all examinations?", 2),
                 QString::fromUtf8("Slet patient %s inklusive alle undersøgelser?"));
    }

    void shippedFileTranslatesEveryTextToDanish() {
        TBvDictionary dictionary;
        dictionary.SetFileName(ShippedDictionary());
        const int danish = dictionary.IndexOfLanguageCode("da/dk");
        QVERIFY(!dictionary.Texts().isEmpty());
        for (const QString& text : dictionary.Texts()) {
            QVERIFY2(dictionary.HasTranslation(text, danish), qPrintable(text));
            // Placeholders survive the translation.
            QCOMPARE(dictionary.Translate(text, danish).count("%s"), text.count("%s"));
        }
    }

    void lookup_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("danish") << "Yes" << 2 << "Ja";
        QTest::newRow("english gb") << "Warning" << 1 << "Caution";
        QTest::newRow("primary never translated") << "Warning" << 0 << "Warning";
        QTest::newRow("no line for language") << "Yes" << 1 << "Yes";
        QTest::newRow("empty translation") << "Empty" << 2 << "Empty";
        QTest::newRow("unknown text") << "Nothing like it" << 2 << "Nothing like it";
        QTest::newRow("case matters") << "yes" << 2 << "yes";
        QTest::newRow("language beyond the file") << "Yes" << 7 << "Yes";
        QTest::newRow("escapes") << "Two\rlines \"quoted\" \\ C:\\Temp\t." << 2 << "To\nlinjer";
    }
    void lookup() {
        QFETCH(QString, text);
        QFETCH(int, language);
        QFETCH(QString, expected);
        TBvDictionary dictionary;
        dictionary.LoadFromText(SmallDictionary, "test");
        QCOMPARE(dictionary.Translate(text, language), expected);
    }

    void currentLanguageNotifiesAfterChange() {
        TBvDictionary dictionary;
        dictionary.LoadFromText(SmallDictionary, "test");
        dictionary.SetCurrentLanguage(1);
        QStringList seen;
        QObject* sender = nullptr;
        dictionary.OnLanguageChange = [&](QObject* s) {
            sender = s;
            seen << dictionary.Translate("Yes");
        };
        int signals_ = 0;
        connect(&dictionary, &TBvDictionary::LanguageChanged, this, [&] { ++signals_; });
        dictionary.SetCurrentLanguage(2);
        QCOMPARE(dictionary.CurrentLanguage(), 2);
        QCOMPARE(seen, QStringList{"Ja"}); // already in the new language
        QCOMPARE(sender, &dictionary);
        dictionary.SetCurrentLanguage(2); // no change, no notice
        QCOMPARE(signals_, 1);
        QCOMPARE(seen.size(), 1);
    }

    void translateTextUsesMainDictionary() {
        QCOMPARE(TranslateText("Yes"), QString("Yes")); // no dictionary yet
        {
            TBvDictionary dictionary;
            dictionary.SetDictionaryName("MainDictionary");
            dictionary.LoadFromText(SmallDictionary, "test");
            dictionary.SetCurrentLanguage(2);
            QCOMPARE(TranslateText("Yes"), QString("Ja"));
            QCOMPARE(TBvDictionary::Find("maindictionary"), &dictionary);
        }
        QCOMPARE(TBvDictionary::Find("MainDictionary"), nullptr);
        QCOMPARE(TranslateText("Yes"), QString("Yes"));
    }

    void faultyFileIsRefusedWithItsLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("where");
        QTest::newRow("gap in numbers") << "language 0 en/us \"E\"\nlanguage 2 da/dk \"D\"" << "line 2";
        QTest::newRow("bad code") << "language 0 english \"E\"" << "line 1";
        QTest::newRow("unknown language") << "language 0 en/us \"E\"\ntext \"Yes\"\nsv/se \"Ja\"" << "line 3";
        QTest::newRow("primary as target") << "language 0 en/us \"E\"\ntext \"Yes\"\nen/us \"Y\"" << "line 3";
        QTest::newRow("open quote") << "language 0 en/us \"E\"\ntext \"Yes" << "line 2";
        QTest::newRow("twice") << "language 0 en/us \"E\"\ntext \"A\"\ntext \"A\"" << "line 3";
        QTest::newRow("translation first") << "language 0 en/us \"E\"\nen/us \"A\"" << "line 2";
        QTest::newRow("no languages") << "# nothing" << "line 1";
    }
    void faultyFileIsRefusedWithItsLine() {
        QFETCH(QString, text);
        QFETCH(QString, where);
        TBvDictionary dictionary;
        dictionary.LoadFromText(SmallDictionary, "good");
        try {
            dictionary.LoadFromText(text, "bad.mld");
            QFAIL("no error");
        } catch (const Exception& e) {
            QVERIFY2(e.Message().contains("bad.mld, " + where), qPrintable(e.Message()));
        }
        // The dictionary keeps what it had.
        QCOMPARE(dictionary.Translate("Yes", 2), QString("Ja"));
    }

    void windowsEditorsFileIsRead() {
        // Byte order mark and CR LF line ends, as a Windows editor saves it.
        const QByteArray file = "\xEF\xBB\xBFlanguage 0 en/us \"English\"\r\nlanguage 1 da/dk \"Dansk\"\r\n"
                                "text \"Yes\"\r\nda/dk \"Ja\"\r\n";
        TBvDictionary dictionary;
        dictionary.LoadFromText(QString::fromUtf8(file), "windows");
        QCOMPARE(dictionary.Translate("Yes", 1), QString("Ja"));
    }

    void missingFileIsRefused() {
        TBvDictionary dictionary;
        QVERIFY_THROWS_EXCEPTION(Exception, dictionary.SetFileName("/nonexistent/Tavlo.mld"));
        QCOMPARE(dictionary.LanguageCount(), 1); // the primary language only
    }
};
TAVLO_TEST(TestDictionary);

class TestTranslator : public QObject {
    Q_OBJECT
    TBvDictionary* FDictionary = nullptr;
private slots:
    void init() {
        FDictionary = new TBvDictionary;
        FDictionary->SetDictionaryName("MainDictionary");
        FDictionary->LoadFromText(SmallDictionary, "test");
    }
    void cleanup() { delete FDictionary; }

    void windowTreeFollowsTheLanguage() {
        QDialog window;
        window.setWindowTitle("Warning");
        auto* label = new QLabel("Warning", &window);
        auto* button = new QPushButton("Yes", &window);
        button->setToolTip("Warning");
        auto* group = new QGroupBox("Yes", &window);
        auto* check = new QCheckBox("Unknown text", group);
        auto* tabs = new QTabWidget(&window);
        tabs->addTab(new QWidget, "Yes");
        auto* action = new QAction("Warning", &window);
        auto* translator = new TBvTranslator(&window);

        FDictionary->SetCurrentLanguage(2);
        translator->Translate();
        QCOMPARE(window.windowTitle(), QString("Advarsel"));
        QCOMPARE(label->text(), QString("Advarsel"));
        QCOMPARE(button->text(), QString("Ja"));
        QCOMPARE(button->toolTip(), QString("Advarsel"));
        QCOMPARE(group->title(), QString("Ja"));
        QCOMPARE(check->text(), QString("Unknown text"));
        QCOMPARE(tabs->tabText(0), QString("Ja"));
        QCOMPARE(action->text(), QString("Advarsel"));

        // Back to another language: from the originals, not from the Danish.
        FDictionary->SetCurrentLanguage(1);
        translator->Translate();
        QCOMPARE(label->text(), QString("Caution"));
        QCOMPARE(button->text(), QString("Yes"));
        FDictionary->SetCurrentLanguage(0);
        translator->Translate();
        QCOMPARE(window.windowTitle(), QString("Warning"));
        QCOMPARE(tabs->tabText(0), QString("Yes"));
    }

    void textSetByTheProgramIsTheNewOriginal() {
        QLabel label("Yes");
        FDictionary->SetCurrentLanguage(2);
        TranslateWidgetTree(&label, FDictionary);
        QCOMPARE(label.text(), QString("Ja"));
        label.setText("Warning");
        TranslateWidgetTree(&label, FDictionary);
        QCOMPARE(label.text(), QString("Advarsel"));
        FDictionary->SetCurrentLanguage(1);
        TranslateWidgetTree(&label, FDictionary);
        QCOMPARE(label.text(), QString("Caution"));
    }

    void pageNotebookKeepsItsPageNames() {
        QTabWidget notebook;
        notebook.addTab(new QLabel("Yes"), "Yes");
        SetPageNotebook(&notebook);
        FDictionary->SetCurrentLanguage(2);
        TranslateWidgetTree(&notebook, FDictionary);
        QCOMPARE(notebook.tabText(0), QString("Yes"));
        // What lies on its pages is translated as usual.
        QCOMPARE(qobject_cast<QLabel*>(notebook.widget(0))->text(), QString("Ja"));
    }

    void noDictionaryChangesNothing() {
        QLabel label("Yes");
        TBvTranslator translator(&label);
        translator.DictionaryName = "OtherDictionary";
        FDictionary->SetCurrentLanguage(2);
        translator.Translate();
        QCOMPARE(label.text(), QString("Yes"));
    }
};
TAVLO_TEST(TestTranslator);

#include "tst_Dictionary.moc"
