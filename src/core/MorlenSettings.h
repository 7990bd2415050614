#pragma once
// The application's named settings, window positions and the questions the
// user can switch off, on top of the settings store. Each property reads the
// store on every get and writes it on every set.

#include "BvSettings.h"
#include "DateTime.h"
#include "MorlenTables.h"

#include <functional>
#include <optional>

class QWidget;

// The display name of a risk factor; the country module gives it.
class TRiskNames {
public:
    virtual ~TRiskNames() = default;
    virtual QString RiskName(int riskId) const = 0;
};

// The limits of a value; either may be empty.
struct TValueLimits {
    std::optional<double> Min;
    std::optional<double> Max;
};

class TMlSettings : public TBvSettings {
    Q_OBJECT
    Q_PROPERTY(bool CanDebug READ CanDebug WRITE SetCanDebug)
    Q_PROPERTY(bool IgnoreTestPatient READ IgnoreTestPatient WRITE SetIgnoreTestPatient)
    Q_PROPERTY(bool CanExchange READ CanExchange WRITE SetCanExchange)
    Q_PROPERTY(QString DefaultLanguage READ DefaultLanguage WRITE SetDefaultLanguage)
    Q_PROPERTY(QString CustomLogo READ CustomLogo WRITE SetCustomLogo)
    Q_PROPERTY(bool ConfirmPatientDelete READ ConfirmPatientDelete WRITE SetConfirmPatientDelete)
    Q_PROPERTY(bool ConfirmDateChange READ ConfirmDateChange WRITE SetConfirmDateChange)
    Q_PROPERTY(bool ConfirmJournalDelete READ ConfirmJournalDelete WRITE SetConfirmJournalDelete)
    Q_PROPERTY(bool ShowToolbar READ ShowToolbar WRITE SetShowToolbar)
    Q_PROPERTY(bool ShowLayoutbar READ ShowLayoutbar WRITE SetShowLayoutbar)
    Q_PROPERTY(bool ShowStatusBar READ ShowStatusBar WRITE SetShowStatusBar)
    Q_PROPERTY(bool SavePosition READ SavePosition WRITE SetSavePosition)
    Q_PROPERTY(bool UseFlatButtons READ UseFlatButtons WRITE SetUseFlatButtons)
    Q_PROPERTY(bool ShowRiskWarning READ ShowRiskWarning WRITE SetShowRiskWarning)
    Q_PROPERTY(bool ShowAbsoluteWarning READ ShowAbsoluteWarning WRITE SetShowAbsoluteWarning)
    Q_PROPERTY(bool ShowRiskNotUsedWarning READ ShowRiskNotUsedWarning WRITE SetShowRiskNotUsedWarning)
    Q_PROPERTY(int LastActivePage READ LastActivePage WRITE SetLastActivePage)
public:
    explicit TMlSettings(QObject* AOwner = nullptr) : TBvSettings(AOwner) {}

    // Where the model tables are read. Until the owner sets them the tables
    // count as closed. RiskLimits gives Min and Max of the Risks row with that
    // Risk id, or nothing without such a row; AbsoluteLimits gives "Absolute
    // min" and "Absolute max" of the current General row.
    std::function<std::optional<TValueLimits>(int riskId)> RiskLimits;
    std::function<std::optional<TValueLimits>()> AbsoluteLimits;

    // The mediator's Risks and General, read by the two hooks above. A closed
    // (or destroyed) table gives no limits; RiskLimits moves RiskTable to the row.
    TMlRiskTable* RiskTable() const { return FRiskTable; }
    void SetRiskTable(TMlRiskTable* table) {
        FRiskTable = table;
        RiskLimits = [this](int riskId) -> std::optional<TValueLimits> {
            if (!FRiskTable || !FRiskTable->Active() || !FRiskTable->Locate(QStringLiteral("Risk id"), riskId))
                return std::nullopt;
            return LimitsOfRow(FRiskTable, QStringLiteral("Min"), QStringLiteral("Max"));
        };
    }
    TMlTable* GeneralTable() const { return FGeneralTable; }
    void SetGeneralTable(TMlTable* table) {
        FGeneralTable = table;
        AbsoluteLimits = [this]() -> std::optional<TValueLimits> {
            if (!FGeneralTable || !FGeneralTable->Active())
                return std::nullopt;
            return LimitsOfRow(FGeneralTable, QStringLiteral("Absolute min"), QStringLiteral("Absolute max"));
        };
    }

    bool CanDebug() const { return SettingBool("Debug", false, true); }
    void SetCanDebug(bool v) const { SetSettingBool("Debug", v, true); }
    bool IgnoreTestPatient() const { return SettingBool("Ignore test patient", false, true); }
    void SetIgnoreTestPatient(bool v) const { SetSettingBool("Ignore test patient", v, true); }
    bool CanExchange() const { return SettingBool("Can exchange", false, true); }
    void SetCanExchange(bool v) const { SetSettingBool("Can exchange", v, true); }
    QString DefaultLanguage() const { return ReadString(SettingsKey, "Default language", "en/gb", false); }
    void SetDefaultLanguage(const QString& v) const { WriteString(SettingsKey, "Default language", v, false); }
    QString CustomLogo() const { return ReadString(SettingsKey, "Custom logo", QString(), false); }
    void SetCustomLogo(const QString& v) const { WriteString(SettingsKey, "Custom logo", v, false); }
    bool ConfirmPatientDelete() const { return SettingBool("Confirm patient delete", true, true); }
    void SetConfirmPatientDelete(bool v) const { SetSettingBool("Confirm patient delete", v, true); }
    bool ConfirmDateChange() const { return SettingBool("Confirm date change", true, true); }
    void SetConfirmDateChange(bool v) const { SetSettingBool("Confirm date change", v, true); }
    bool ConfirmJournalDelete() const { return SettingBool("Confirm journal delete", true, true); }
    void SetConfirmJournalDelete(bool v) const { SetSettingBool("Confirm journal delete", v, true); }
    // The work window reads the three bars' settings without any effect.
    bool ShowToolbar() const { return SettingBool("Show toolbar", false, true); }
    void SetShowToolbar(bool v) const { SetSettingBool("Show toolbar", v, true); }
    bool ShowLayoutbar() const { return SettingBool("Show layoutbar", false, true); }
    void SetShowLayoutbar(bool v) const { SetSettingBool("Show layoutbar", v, true); }
    bool ShowStatusBar() const { return SettingBool("Show statusbar", true, true); }
    void SetShowStatusBar(bool v) const { SetSettingBool("Show statusbar", v, true); }
    bool SavePosition() const { return SettingBool("Save position", false, true); }
    void SetSavePosition(bool v) const { SetSettingBool("Save position", v, true); }
    bool UseFlatButtons() const { return SettingBool("Use flat buttons", true, true); }
    void SetUseFlatButtons(bool v) const { SetSettingBool("Use flat buttons", v, true); }
    bool ShowRiskWarning() const { return SettingBool("Show risk warning", true, true); }
    void SetShowRiskWarning(bool v) const { SetSettingBool("Show risk warning", v, true); }
    bool ShowAbsoluteWarning() const { return SettingBool("Show absolute warning", true, true); }
    void SetShowAbsoluteWarning(bool v) const { SetSettingBool("Show absolute warning", v, true); }
    bool ShowRiskNotUsedWarning() const { return SettingBool("Show risk not used warning", true, true); }
    void SetShowRiskNotUsedWarning(bool v) const { SetSettingBool("Show risk not used warning", v, true); }
    int LastActivePage() const { return ReadInteger(SettingsKey, "Last active page", 2, true); }
    void SetLastActivePage(int v) const { WriteInteger(SettingsKey, "Last active page", v, true); }

    // The other keys of the store.
    static constexpr const char* SettingsKey = "Settings";
    static constexpr const char* WorkFormKey = "Forms\\Work";
    static constexpr const char* PrintKey = "Print";
    // "CustomVersion" of the product path itself, machine-wide; empty when absent.
    QString CustomVersion() const { return ReadString(QString(), "CustomVersion", QString(), false); }
    // "ReadOldData" of "Settings", machine-wide: offer the old data import.
    bool ReadOldData() const { return ReadBool(SettingsKey, "ReadOldData", true, false); }
    void SetReadOldData(bool v) const { WriteBool(SettingsKey, "ReadOldData", v, false); }

    // The first print choices of a user: without a per-user key "Print",
    // "Include" = 0xBE and "Use" = 0xFE (one byte each); an existing key is
    // left as it is, whatever it holds. True when it wrote them.
    static constexpr unsigned char PrintIncludeDefault = 0xBE;
    static constexpr unsigned char PrintUseDefault = 0xFE;
    bool EnsurePrintDefaults() const;

    // Window bounds and state (0 normal, 1 minimised, 2 maximised) in a
    // per-user sub-key such as "Forms\Work". Loading does nothing while Shift
    // is held; saving does nothing unless SavePosition is on, and keeps the
    // last normal bounds of a window that is not in the normal state.
    void LoadFormPosition(const QString& subKey, QWidget* window) const;
    void SaveFormPosition(const QString& subKey, QWidget* window) const;

    // Asks `text` unless the logical setting `settingName` (a property name
    // such as "ShowRiskWarning") is off; 6 (Yes) or 7 (No). Afterwards the
    // setting is off when the user ticked "In the future, do not show this
    // warning", on otherwise. A name that is not a logical setting raises.
    int AskWithWarning(const QString& settingName, const QString& text, int style) const;
    int AskPatientDelete(const QString& patientName) const;
    int AskJournalDelete(TDateTime date) const;
    int AskDateChange() const;

    // The plausibility question for a typed value: asked when the value lies
    // outside Min..Max of its risk factor. `toDisplay` converts the limit to
    // the user's display unit (a converting field's); empty when none.
    int CheckRiskValue(int riskId, const TRiskNames* country, const std::function<double(double)>& toDisplay,
                       double value) const;
    // 0 inside the absolute limits (or without General), 6 above, 7 below.
    int CheckAbsoluteRisk(double value) const;

private:
    static TValueLimits LimitsOfRow(TDataSet* table, const QString& minName, const QString& maxName) {
        TValueLimits limits;
        if (TField* field = table->FieldByName(minName); !field->IsNull())
            limits.Min = field->AsFloat();
        if (TField* field = table->FieldByName(maxName); !field->IsNull())
            limits.Max = field->AsFloat();
        return limits;
    }
    QPointer<TMlRiskTable> FRiskTable;
    QPointer<TMlTable> FGeneralTable;
    bool SettingBool(const char* name, bool defaultValue, bool user) const {
        return ReadBool(SettingsKey, name, defaultValue, user);
    }
    void SetSettingBool(const char* name, bool value, bool user) const {
        WriteBool(SettingsKey, name, value, user);
    }
};
