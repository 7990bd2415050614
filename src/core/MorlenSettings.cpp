#include "MorlenSettings.h"

#include "BvDictionary.h"
#include "BvTranslator.h"
#include "BvUtils.h"
#include "Conversions.h"
#include "DialogResults.h"
#include "Exceptions.h"
#include "Keyboard.h"
#include "SettingsWarningFM.h"

#include <QCheckBox>
#include <QLabel>
#include <QMetaProperty>
#include <QScopeGuard>
#include <QWidget>
#include <memory>

namespace {
int StateValue(const QWidget* window) {
    const Qt::WindowStates state = window->windowState();
    if (state.testFlag(Qt::WindowMinimized))
        return 1;
    if (state.testFlag(Qt::WindowMaximized))
        return 2;
    return 0;
}

// Below a set minimum or above a set maximum; a value on a limit is inside.
bool Outside(const TValueLimits& limits, double value) {
    return (limits.Min && value < *limits.Min) || (limits.Max && value > *limits.Max);
}

Qt::WindowState WindowStateOf(int value) {
    return value == 1 ? Qt::WindowMinimized : value == 2 ? Qt::WindowMaximized : Qt::WindowNoState;
}
} // namespace

bool TMlSettings::EnsurePrintDefaults() const {
    if (KeyExists(QString(), PrintKey, true))
        return false;
    WriteBytes(PrintKey, "Include", QByteArray(1, char(PrintIncludeDefault)), 1, true);
    WriteBytes(PrintKey, "Use", QByteArray(1, char(PrintUseDefault)), 1, true);
    return true;
}

void TMlSettings::LoadFormPosition(const QString& subKey, QWidget* window) const {
    if (IsShiftDown())
        return;
    // Each value takes effect as soon as it is read.
    window->move(ReadInteger(subKey, "Left", window->x(), true), window->y());
    window->move(window->x(), ReadInteger(subKey, "Top", window->y(), true));
    window->resize(ReadInteger(subKey, "Width", window->width(), true), window->height());
    window->resize(window->width(), ReadInteger(subKey, "Height", window->height(), true));
    window->setWindowState(Qt::WindowNoState);
    window->setWindowState(WindowStateOf(ReadInteger(subKey, "State", 0, true)));
}

void TMlSettings::SaveFormPosition(const QString& subKey, QWidget* window) const {
    if (!SavePosition())
        return;
    const int state = StateValue(window);
    if (state == 0) {
        WriteInteger(subKey, "Left", window->x(), true);
        WriteInteger(subKey, "Top", window->y(), true);
        WriteInteger(subKey, "Width", window->width(), true);
        WriteInteger(subKey, "Height", window->height(), true);
    }
    WriteInteger(subKey, "State", state, true);
}

int TMlSettings::AskWithWarning(const QString& settingName, const QString& text, int style) const {
    const QMetaObject* meta = metaObject();
    const int index = meta->indexOfProperty(settingName.toLatin1().constData());
    if (index < 0 || meta->property(index).metaType().id() != QMetaType::Bool)
        throw Exception(QStringLiteral("%1 is not a warning setting").arg(settingName));
    const QMetaProperty setting = meta->property(index);
    if (!setting.read(this).toBool())
        return mrYes;

    int answer = mrYes;
    auto form = std::make_unique<TSettingsWarningForm>();
    // Whatever happens, the check box decides whether the question comes again.
    const auto writeBack = qScopeGuard([&] {
        setting.write(const_cast<TMlSettings*>(this), !form->DoNotShowCheck->isChecked());
    });
    form->WarningLabel->setText(text);
    form->SetButtonStyle(style);
    TranslateWidgetTree(form.get(), TBvDictionary::Find(QStringLiteral("MainDictionary")));
    answer = form->exec();
    return answer;
}

int TMlSettings::AskPatientDelete(const QString& patientName) const {
    return AskWithWarning(QStringLiteral("ConfirmPatientDelete"),
                          FormatText(TranslateText(QStringLiteral("Delete patient %s including all examinations?")),
                                     {patientName}),
                          0);
}

int TMlSettings::AskJournalDelete(TDateTime date) const {
    return AskWithWarning(QStringLiteral("ConfirmJournalDelete"),
                          FormatText(TranslateText(QStringLiteral("Delete examination of %s?")), {DateToStr(date)}),
                          0);
}

int TMlSettings::AskDateChange() const {
    // Passed untranslated; the dialog's translation still reaches it.
    return AskWithWarning(QStringLiteral("ConfirmDateChange"), QStringLiteral("Change examination date?"), 0);
}

int TMlSettings::CheckRiskValue(int riskId, const TRiskNames* country,
                                const std::function<double(double)>& toDisplay, double value) const {
    const std::optional<TValueLimits> limits = RiskLimits ? RiskLimits(riskId) : std::nullopt;
    if (!limits || !Outside(*limits, value))
        return mrYes;
    // Too low when Min is not below the value; an empty Min never is.
    const bool tooLow = limits->Min && !(*limits->Min < value);
    double limit = tooLow ? *limits->Min : *limits->Max;
    if (toDisplay)
        limit = toDisplay(limit);
    const QString pattern = tooLow ? QStringLiteral("%s must be above %s. Change risk value anyway?")
                                   : QStringLiteral("%s must be below %s. Change risk value anyway?");
    const QString name = country ? country->RiskName(riskId) : IntToStr(riskId);
    return AskWithWarning(QStringLiteral("ShowRiskWarning"),
                          FormatText(TranslateText(pattern), {name, FloatToStr(limit)}), 0);
}

int TMlSettings::CheckAbsoluteRisk(double value) const {
    const std::optional<TValueLimits> limits = AbsoluteLimits ? AbsoluteLimits() : std::nullopt;
    if (!limits || !Outside(*limits, value))
        return 0;
    return limits->Min.value_or(0) < value ? mrYes : mrNo;
}
