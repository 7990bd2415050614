#include "BvDictionary.h"
#include "DialogResults.h"
#include "Exceptions.h"
#include "FormatSettings.h"
#include "Keyboard.h"
#include "ModalAnswer.h"
#include "MorlenSettings.h"
#include "SettingsFixture.h"
#include "SettingsWarningFM.h"
#include "TestGrab.h"
#include "TestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMetaProperty>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {
// What the warning dialog showed.
struct TShownWarning {
    bool Shown = false;
    QString Caption, Text, Check, Yes, No;
};

// Answers the next warning dialog as a user would: optionally ticks the
// check box, then presses a key or clicks a button (TModalAnswer).
class TWarningAnswer : public TModalAnswer {
public:
    enum TAction { PressEnter, PressEscape, ClickYes, ClickNo, CloseWindow };
    TWarningAnswer(bool tick, TAction action, QString grabName = {})
        : TModalAnswer([this, tick, action, grabName](QWidget* window) { Answer(window, tick, action, grabName); }) {}
    TShownWarning Seen;

private:
    void Answer(QWidget* window, bool tick, TAction action, const QString& grabName) {
        auto* form = qobject_cast<TSettingsWarningForm*>(window);
        if (!form) {
            QTest::qFail("the modal window is not the warning dialog", __FILE__, __LINE__);
            return;
        }
        Seen = {true, form->windowTitle(), form->WarningLabel->text(), form->DoNotShowCheck->text(),
                form->Button1->text(), form->Button2->text()};
        if (tick)
            QTest::mouseClick(form->DoNotShowCheck, Qt::LeftButton);
        GrabWindow(form, grabName);
        switch (action) {
        case PressEnter: QTest::keyClick(form, Qt::Key_Return); break;
        case PressEscape: QTest::keyClick(form, Qt::Key_Escape); break;
        case ClickYes: QTest::mouseClick(form->Button1, Qt::LeftButton); break;
        case ClickNo: QTest::mouseClick(form->Button2, Qt::LeftButton); break;
        case CloseWindow: form->close(); break;
        }
    }
};

class TNames : public TRiskNames {
public:
    QString RiskName(int riskId) const override { return riskId == 1 ? "Blood pressure" : "Cholesterol"; }
};

// Limits as a table row holds them: an invalid variant is an empty field.
TValueLimits LimitsOf(const QVariant& min, const QVariant& max) {
    TValueLimits limits;
    if (min.isValid())
        limits.Min = min.toDouble();
    if (max.isValid())
        limits.Max = max.toDouble();
    return limits;
}

QString ShippedDictionary() { return QCoreApplication::applicationDirPath() + "/Tavlo.mld"; }
} // namespace

class TestMlSettings : public QObject {
    Q_OBJECT
    std::unique_ptr<TMlSettings> FSettings;
private slots:
    void init() {
        ClearSettingsRoots();
        FSettings = std::make_unique<TMlSettings>();
        ConfigureTavlo(*FSettings);
        SetShiftDownOverride(false);
    }
    void cleanup() {
        FSettings.reset();
        SetShiftDownOverride(std::nullopt);
    }

    // Every published setting: its value name, kind, root and default.
    void publishedSettings_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("valueName");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("user");
        QTest::addColumn<QVariant>("defaultValue");
        QTest::addColumn<QVariant>("otherValue");
        const auto row = [](const char* property, const char* name, int kind, bool user, QVariant def,
                            QVariant other) {
            QTest::newRow(property) << QString(property) << QString(name) << kind << user << def << other;
        };
        row("CanDebug", "Debug", skBool, true, false, true);
        row("IgnoreTestPatient", "Ignore test patient", skBool, true, false, true);
        row("CanExchange", "Can exchange", skBool, true, false, true);
        row("DefaultLanguage", "Default language", skString, false, "en/gb", "da/dk");
        row("CustomLogo", "Custom logo", skString, false, "", "/logo.png");
        row("ConfirmPatientDelete", "Confirm patient delete", skBool, true, true, false);
        row("ConfirmDateChange", "Confirm date change", skBool, true, true, false);
        row("ConfirmJournalDelete", "Confirm journal delete", skBool, true, true, false);
        row("ShowToolbar", "Show toolbar", skBool, true, false, true);
        row("ShowLayoutbar", "Show layoutbar", skBool, true, false, true);
        row("ShowStatusBar", "Show statusbar", skBool, true, true, false);
        row("SavePosition", "Save position", skBool, true, false, true);
        row("UseFlatButtons", "Use flat buttons", skBool, true, true, false);
        row("ShowRiskWarning", "Show risk warning", skBool, true, true, false);
        row("ShowAbsoluteWarning", "Show absolute warning", skBool, true, true, false);
        row("ShowRiskNotUsedWarning", "Show risk not used warning", skBool, true, true, false);
        row("LastActivePage", "Last active page", skInteger, true, 2, 4);
    }
    void publishedSettings() {
        QFETCH(QString, property);
        QFETCH(QString, valueName);
        QFETCH(int, kind);
        QFETCH(bool, user);
        QFETCH(QVariant, defaultValue);
        QFETCH(QVariant, otherValue);
        const QMetaObject* meta = FSettings->metaObject();
        const QMetaProperty setting = meta->property(meta->indexOfProperty(property.toLatin1()));
        QVERIFY(setting.isValid());
        // A fresh user: the default, and nothing written by reading it.
        QCOMPARE(setting.read(FSettings.get()), defaultValue);
        QVERIFY(!QFile::exists(TBvSettings::RootFileName(true)));
        QVERIFY(!QFile::exists(TBvSettings::RootFileName(false)));

        QVERIFY(setting.write(FSettings.get(), otherValue));
        QVariant stored;
        QVERIFY(FSettings->ReadValue("Settings", valueName, stored, kind, 4, user));
        QCOMPARE(stored, otherValue);
        QVERIFY(!FSettings->ValueExists("Settings", valueName, !user));
        // Nothing cached: a change in the store shows at once.
        QVERIFY(FSettings->WriteValue("Settings", valueName, defaultValue, kind, 4, user));
        QCOMPARE(setting.read(FSettings.get()), defaultValue);
        // The value in another kind reads as missing, that is as the default.
        QVERIFY(FSettings->WriteValue("Settings", valueName, QByteArray("\x01", 1), skBytes, 1, user));
        QCOMPARE(setting.read(FSettings.get()), defaultValue);
    }

    void otherKeys() {
        QCOMPARE(FSettings->CustomVersion(), QString());
        QVERIFY(FSettings->WriteString("", "CustomVersion", "Clinic", false));
        QCOMPARE(FSettings->CustomVersion(), QString("Clinic"));
        QVERIFY(FSettings->ReadOldData());
        FSettings->SetReadOldData(false);
        QVERIFY(!FSettings->ReadBool("Settings", "ReadOldData", true, false));
        QVERIFY(!FSettings->ReadOldData());
    }

    void printDefaultsForANewUser() {
        QVERIFY(FSettings->EnsurePrintDefaults());
        QCOMPARE(FSettings->ReadBytes("Print", "Include", 1, {}, true), QByteArray("\xBE"));
        QCOMPARE(FSettings->ReadBytes("Print", "Use", 1, {}, true), QByteArray("\xFE"));
        QVERIFY(!FSettings->KeyExists("", "Print", false));
        QVERIFY(!FSettings->EnsurePrintDefaults());
    }

    void printDefaultsLeaveAnExistingKey() {
        // "Include" and "Use" are both missing, but the key is there.
        QVERIFY(FSettings->WriteInteger("Print", "PaperSource", 7, true));
        QVERIFY(!FSettings->EnsurePrintDefaults());
        QVERIFY(!FSettings->ValueExists("Print", "Include", true));
        QVERIFY(!FSettings->ValueExists("Print", "Use", true));
        // A machine-wide key does not count for the user.
        ClearSettingsRoots();
        QVERIFY(FSettings->WriteBytes("Print", "Include", "\x01", 1, false));
        QVERIFY(FSettings->EnsurePrintDefaults());
    }

    void saveFormPosition_data() {
        QTest::addColumn<bool>("savePosition");
        QTest::addColumn<int>("state"); // the window's
        QTest::addColumn<QVariantList>("stored"); // Left, Top, Width, Height, State; -1: absent
        QTest::newRow("normal") << true << 0 << QVariantList{30, 40, 500, 300, 0};
        QTest::newRow("maximised keeps the normal bounds") << true << 2 << QVariantList{1, 2, 3, 4, 2};
        QTest::newRow("minimised") << true << 1 << QVariantList{1, 2, 3, 4, 1};
        QTest::newRow("saving off") << false << 0 << QVariantList{1, 2, 3, 4, -1};
    }
    void saveFormPosition() {
        QFETCH(bool, savePosition);
        QFETCH(int, state);
        QFETCH(QVariantList, stored);
        // The last normal bounds in the store.
        const QStringList names{"Left", "Top", "Width", "Height"};
        for (int i = 0; i < 4; ++i)
            QVERIFY(FSettings->WriteInteger("Forms\\Work", names.at(i), i + 1, true));
        FSettings->SetSavePosition(savePosition);
        QWidget window;
        window.setGeometry(30, 40, 500, 300);
        window.setWindowState(state == 2 ? Qt::WindowMaximized : state == 1 ? Qt::WindowMinimized : Qt::WindowNoState);
        FSettings->SaveFormPosition("Forms\\Work", &window);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(FSettings->ReadInteger("Forms\\Work", names.at(i), -1, true), stored.at(i).toInt());
        QCOMPARE(FSettings->ReadInteger("Forms\\Work", "State", -1, true), stored.at(4).toInt());
    }

    void loadFormPosition_data() {
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("storedState");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("state");
        QTest::newRow("normal") << false << 0 << QRect(60, 70, 420, 260) << 0;
        QTest::newRow("maximised") << false << 2 << QRect(60, 70, 420, 260) << 2;
        QTest::newRow("shift held: as designed") << true << 2 << QRect(10, 20, 300, 200) << 0;
    }
    void loadFormPosition() {
        QFETCH(bool, shift);
        QFETCH(int, storedState);
        QFETCH(QRect, geometry);
        QFETCH(int, state);
        const QStringList names{"Left", "Top", "Width", "Height", "State"};
        const QList<int> values{60, 70, 420, 260, storedState};
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(FSettings->WriteInteger("Forms\\Work", names.at(i), values.at(i), true));
        QWidget window;
        window.setGeometry(10, 20, 300, 200);
        SetShiftDownOverride(shift);
        FSettings->LoadFormPosition("Forms\\Work", &window);
        QCOMPARE(QRect(window.pos(), window.size()), geometry);
        QCOMPARE(window.windowState().testFlag(Qt::WindowMaximized), state == 2);
    }

    void loadFormPositionKeepsWhatIsMissing() {
        QVERIFY(FSettings->WriteInteger("Forms\\Work", "Width", 640, true));
        QWidget window;
        window.setGeometry(10, 20, 300, 200);
        FSettings->LoadFormPosition("Forms\\Work", &window);
        QCOMPARE(QRect(window.pos(), window.size()), QRect(10, 20, 640, 200));
        QCOMPARE(window.windowState(), Qt::WindowNoState);
        // Without a stored state a maximised window comes back normal.
        window.setWindowState(Qt::WindowMaximized);
        FSettings->LoadFormPosition("Forms\\Work", &window);
        QCOMPARE(window.windowState(), Qt::WindowNoState);
        QCOMPARE(window.width(), 640);
    }

    void askWithWarning_data() {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("answer");
        QTest::newRow("Enter: Yes is the default") << false << int(TWarningAnswer::PressEnter) << mrYes;
        QTest::newRow("Escape answers No") << false << int(TWarningAnswer::PressEscape) << mrNo;
        QTest::newRow("click No") << false << int(TWarningAnswer::ClickNo) << mrNo;
        QTest::newRow("closing answers No") << false << int(TWarningAnswer::CloseWindow) << mrNo;
        QTest::newRow("ticked, Yes") << true << int(TWarningAnswer::ClickYes) << mrYes;
        QTest::newRow("ticked, Escape") << true << int(TWarningAnswer::PressEscape) << mrNo;
    }
    void askWithWarning() {
        QFETCH(bool, tick);
        QFETCH(int, action);
        QFETCH(int, answer);
        {
            TWarningAnswer user(tick, TWarningAnswer::TAction(action));
            QCOMPARE(FSettings->AskWithWarning("ShowRiskWarning", "Keep 300?", 0), answer);
            QVERIFY(user.Seen.Shown);
            QCOMPARE(user.Seen.Caption, QString("Warning"));
            QCOMPARE(user.Seen.Text, QString("Keep 300?"));
            QCOMPARE(user.Seen.Check, QString("In the future, do not show this warning"));
            QCOMPARE(user.Seen.Yes, QString("Yes"));
            QCOMPARE(user.Seen.No, QString("No"));
        }
        QCOMPARE(FSettings->ShowRiskWarning(), !tick);
        QVERIFY(FSettings->ValueExists("Settings", "Show risk warning", true));
        if (tick) {
            // Switched off: the next question answers Yes at once.
            TWarningAnswer user(false, TWarningAnswer::PressEscape);
            QCOMPARE(FSettings->AskWithWarning("ShowRiskWarning", "Keep 300?", 0), mrYes);
            QVERIFY(!user.Seen.Shown);
        }
    }

    void askWithWarningNeedsALogicalSetting_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("unknown") << "ShowEverything";
        QTest::newRow("integer") << "LastActivePage";
        QTest::newRow("text") << "DefaultLanguage";
        QTest::newRow("value name, not property") << "Show risk warning";
    }
    void askWithWarningNeedsALogicalSetting() {
        QFETCH(QString, name);
        QVERIFY_THROWS_EXCEPTION(Exception, FSettings->AskWithWarning(name, "Sure?", 0));
    }

    void questionsInTheirSettings_data() {
        QTest::addColumn<int>("question"); // 0 patient, 1 journal, 2 date
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("danish");
        QTest::newRow("patient delete") << 0 << "ConfirmPatientDelete"
                                        << "Delete patient Jens %s Hansen including all examinations?"
                                        << QString::fromUtf8("Slet patient Jens %s Hansen inklusive alle undersøgelser?");
        QTest::newRow("journal delete") << 1 << "ConfirmJournalDelete" << "Delete examination of 24-12-2025?"
                                        << QString::fromUtf8("Slet undersøgelsen af 24-12-2025?");
        QTest::newRow("date change") << 2 << "ConfirmDateChange" << "Change examination date?"
                                     << QString::fromUtf8("Ændre undersøgelsesdatoen?");
    }
    void questionsInTheirSettings() {
        QFETCH(int, question);
        QFETCH(QString, property);
        QFETCH(QString, english);
        QFETCH(QString, danish);
        FormatSettings().ShortDateFormat = "dd-mm-yyyy";
        FormatSettings().DateSeparator = '-';
        TBvDictionary dictionary;
        dictionary.SetDictionaryName("MainDictionary");
        dictionary.SetFileName(ShippedDictionary());
        const auto ask = [&] {
            switch (question) {
            case 0: return FSettings->AskPatientDelete("Jens %s Hansen");
            case 1: return FSettings->AskJournalDelete(EncodeDate(2025, 12, 24));
            default: return FSettings->AskDateChange();
            }
        };
        for (int language : {0, 2}) {
            dictionary.SetCurrentLanguage(language);
            const QString tag = QString(QTest::currentDataTag()).replace(' ', '-');
            TWarningAnswer user(false, TWarningAnswer::PressEscape,
                                QStringLiteral("warning-%1-%2").arg(tag, dictionary.LanguageCode(language).replace('/', '-')));
            QCOMPARE(ask(), mrNo);
            QCOMPARE(user.Seen.Text, language == 0 ? english : danish);
            QCOMPARE(user.Seen.Caption, language == 0 ? QString("Warning") : QString("Advarsel"));
            QCOMPARE(user.Seen.Yes, language == 0 ? QString("Yes") : QString("Ja"));
            QCOMPARE(user.Seen.No, language == 0 ? QString("No") : QString("Nej"));
            QCOMPARE(user.Seen.Check, language == 0 ? QString("In the future, do not show this warning")
                                                    : QString("Vis ikke denne advarsel fremover"));
        }
        // The question belongs to its own setting.
        const QMetaObject* meta = FSettings->metaObject();
        meta->property(meta->indexOfProperty(property.toLatin1())).write(FSettings.get(), false);
        TWarningAnswer user(false, TWarningAnswer::PressEscape);
        QCOMPARE(ask(), mrYes);
        QVERIFY(!user.Seen.Shown);
        QVERIFY(FSettings->ShowRiskWarning());
    }

    void checkRiskValue_data() {
        QTest::addColumn<QVariant>("min"); // invalid: empty
        QTest::addColumn<QVariant>("max");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("convert"); // mmol/L shown as mg/dL
        QTest::addColumn<QString>("question"); // empty: none asked
        QTest::newRow("inside") << QVariant(80.0) << QVariant(250.0) << 120.0 << false << "";
        QTest::newRow("equal to Max") << QVariant(80.0) << QVariant(250.0) << 250.0 << false << "";
        QTest::newRow("equal to Min") << QVariant(80.0) << QVariant(250.0) << 80.0 << false << "";
        QTest::newRow("above, Max empty") << QVariant(80.0) << QVariant() << 900.0 << false << "";
        QTest::newRow("below, Min empty") << QVariant() << QVariant(250.0) << -5.0 << false << "";
        QTest::newRow("too low") << QVariant(80.0) << QVariant(250.0) << 79.5 << false
                                 << "Blood pressure must be above 80. Change risk value anyway?";
        QTest::newRow("too high") << QVariant(80.0) << QVariant(250.0) << 251.0 << false
                                  << "Blood pressure must be below 250. Change risk value anyway?";
        QTest::newRow("too high, Min empty") << QVariant() << QVariant(2.5) << 3.0 << false
                                             << "Blood pressure must be below 2,5. Change risk value anyway?";
        QTest::newRow("limit in display unit") << QVariant(2.0) << QVariant(20.0) << 25.0 << true
                                               << "Blood pressure must be below 773,4. Change risk value anyway?";
    }
    void checkRiskValue() {
        QFETCH(QVariant, min);
        QFETCH(QVariant, max);
        QFETCH(double, value);
        QFETCH(bool, convert);
        QFETCH(QString, question);
        TDecimalSeparatorScope comma(',');
        QList<int> asked;
        FSettings->RiskLimits = [&](int riskId) -> std::optional<TValueLimits> {
            asked << riskId;
            if (riskId != 1)
                return std::nullopt;
            return LimitsOf(min, max);
        };
        const std::function<double(double)> toDisplay = [](double v) { return v * 38.67; };
        TNames names;
        TWarningAnswer user(false, TWarningAnswer::PressEnter);
        QCOMPARE(FSettings->CheckRiskValue(1, &names, convert ? toDisplay : nullptr, value), mrYes);
        QCOMPARE(asked, QList<int>{1});
        QCOMPARE(user.Seen.Shown, !question.isEmpty());
        QCOMPARE(user.Seen.Text, question);
    }

    void checkRiskValueWithoutTableOrRow() {
        TNames names;
        TWarningAnswer user(false, TWarningAnswer::PressEscape);
        // No table: nothing to check against.
        QCOMPARE(FSettings->CheckRiskValue(1, &names, nullptr, 1e9), mrYes);
        FSettings->RiskLimits = [](int) { return std::optional<TValueLimits>(); };
        QCOMPARE(FSettings->CheckRiskValue(2, &names, nullptr, 1e9), mrYes);
        QVERIFY(!user.Seen.Shown);
    }

    void checkRiskValueAnsweredNo() {
        TNames names;
        FSettings->RiskLimits = [](int) { return std::optional<TValueLimits>(TValueLimits{2.0, 15.0}); };
        TWarningAnswer user(true, TWarningAnswer::PressEscape);
        QCOMPARE(FSettings->CheckRiskValue(2, &names, nullptr, 16), mrNo);
        QCOMPARE(user.Seen.Text, QString("Cholesterol must be below 15. Change risk value anyway?"));
        QVERIFY(!FSettings->ShowRiskWarning());
        QCOMPARE(FSettings->CheckRiskValue(2, &names, nullptr, 16), mrYes);
    }

    void checkAbsoluteRisk_data() {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QVariant>("min");
        QTest::addColumn<QVariant>("max");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("result");
        QTest::newRow("General closed") << false << QVariant(5.0) << QVariant(40.0) << 90.0 << 0;
        QTest::newRow("inside") << true << QVariant(5.0) << QVariant(40.0) << 20.0 << 0;
        QTest::newRow("on the limits") << true << QVariant(5.0) << QVariant(40.0) << 40.0 << 0;
        QTest::newRow("above") << true << QVariant(5.0) << QVariant(40.0) << 40.5 << mrYes;
        QTest::newRow("below") << true << QVariant(5.0) << QVariant(40.0) << 4.0 << mrNo;
        QTest::newRow("above, no minimum") << true << QVariant() << QVariant(40.0) << 41.0 << mrYes;
        QTest::newRow("no limits") << true << QVariant() << QVariant() << 99.0 << 0;
        QTest::newRow("below, no maximum") << true << QVariant(5.0) << QVariant() << 1.0 << mrNo;
    }
    void checkAbsoluteRisk() {
        QFETCH(bool, open);
        QFETCH(QVariant, min);
        QFETCH(QVariant, max);
        QFETCH(double, value);
        QFETCH(int, result);
        if (open)
            FSettings->AbsoluteLimits = [&]() -> std::optional<TValueLimits> { return LimitsOf(min, max); };
        QCOMPARE(FSettings->CheckAbsoluteRisk(value), result);
    }
};
TAVLO_TEST(TestMlSettings);

#include "tst_MorlenSettings.moc"
