#include "TvWorkJournalDM.h"

#include "BuildMediatorDM.h"
#include "Conversions.h"
#include "DBTables.h"
#include "Edition.h"
#include "TvConvertField.h"

TTvWorkJournalDataModule::TTvWorkJournalDataModule(QObject* AOwner, TJournalUse use)
    : TXTvWorkJournalDataModule(AOwner, use) {
    ExamExaminationView->OnChange = [this](TField*) {
        // A value the user changes is no longer the transferred one; the
        // treatment goal keeps the mark.
        if (!Inserting() && !Assigning())
            Exam->FieldByName(QStringLiteral("Transferred"))->SetAsBoolean(false);
    };
    ExamExaminationView->OnAlwaysGetText = [this](TField*, QString& text, bool displayText) {
        // Only on the shown text: the edited text is read back as a number.
        if (displayText && !HideTransferMark && Exam->FieldByName(QStringLiteral("Transferred"))->AsBoolean())
            text += QStringLiteral(" *");
    };
    BaseExaminationView->OnChange = [this](TField* field) {
        if (!Assigning() && Base->FieldByName(QStringLiteral("Risk id"))->AsInteger() == 7)
            SetDiabetes(field->AsFloat() == 1);
    };
}

void TTvWorkJournalDataModule::SetCalculation(TJournalCalculation* calculation) {
    TXTvWorkJournalDataModule::SetCalculation(calculation);
    TDataSet* risks = calculation ? calculation->ModelRisks() : nullptr;
    for (TDataSet* table : {static_cast<TDataSet*>(Base), static_cast<TDataSet*>(Exam)}) {
        const bool open = table->Active();
        table->Close();
        table->FieldByName(QStringLiteral("Enabled"))->SetLookupDataSet(risks);
        if (open)
            table->Open();
    }
}

void TTvWorkJournalDataModule::SetDiabetes(bool value) {
    if (Edition() != TEdition::Combined || !OnModelSwitch)
        return;
    TMlSwitch* diabetesSwitch = MediatorDataModule->DiabetesSwitch;
    if (value == diabetesSwitch->Diabetes())
        return;
    diabetesSwitch->SetDiabetes(value);
    OnModelSwitch(this);
}

bool TTvWorkJournalDataModule::StoredDiabetes(int patientId) {
    if (patientId == 0)
        return false;
    const TDataPacket packet =
        BaseStore()->ReadPacket(QStringLiteral("Patient id;Risk id"), QVariantList{patientId, 7});
    const int column = IndexOfFieldDef(packet.Defs, QStringLiteral("Examination"));
    if (packet.Rows.isEmpty() || column < 0)
        return false;
    const QVariant value = packet.Rows.first().Values.value(column);
    return value.isValid() && !value.isNull() && value.toDouble() == 1;
}

void TTvWorkJournalDataModule::PatientScrolled(TDataSet* dataSet) {
    TXTvWorkJournalDataModule::PatientScrolled(dataSet);
    if (Assigning() || !Base->Active() || Edition() != TEdition::Combined || !OnModelSwitch)
        return;
    const bool none = !Patient->Active() || Patient->IsEmpty() || Patient->State() == TDataSetState::dsInsert;
    SetDiabetes(!none && StoredDiabetes(Patient->FieldByName(QStringLiteral("Patient id"))->AsInteger()));
}

void TTvWorkJournalDataModule::JournalNewRecord(TDataSet* dataSet) {
    TXTvWorkJournalDataModule::JournalNewRecord(dataSet);
    if (Calculation())
        dataSet->FieldByName(QStringLiteral("CalcID"))->SetAsInteger(Calculation()->ModelId());
}

void TTvWorkJournalDataModule::FillUnitFields(TDataSet* dataSet, int riskId) {
    TXTvWorkJournalDataModule::FillUnitFields(dataSet, riskId);
    if (!dataSet->FieldByName(QStringLiteral("StoreUnit"))->AsString().isEmpty()) {
        TField* name = dataSet->FieldByName(QStringLiteral("Locale name"));
        name->SetAsString(name->AsString() + QStringLiteral(" (") +
                          dataSet->FieldByName(QStringLiteral("DisplayUnit"))->AsString() + QLatin1Char(')'));
    }
}

void TTvWorkJournalDataModule::RestrictToModel(TDataSet* risks) {
    Base->SetFiltered(false);
    Base->SetFilter(QString());
    Exam->SetFiltered(false);
    Exam->SetFilter(QString());
    auto* table = qobject_cast<TMlRiskTable*>(risks);
    QStringList base, exam;
    try {
        if (table) {
            const int count = table->RecordCount();
            for (int i = 0; i < count; ++i)
                table->WithRecord(i, [&] {
                    const QString term = QStringLiteral("[Risk id] = ") + IntToStr(table->RiskId());
                    if (IsBaseRisk(table))
                        base << term;
                    else if (IsExamRisk(table))
                        exam << term;
                });
        }
        Base->SetFilter(base.join(QStringLiteral(" or ")));
        Exam->SetFilter(exam.join(QStringLiteral(" or ")));
        if (!Base->Filter().isEmpty())
            Base->SetFiltered(true);
        if (!Exam->Filter().isEmpty())
            Exam->SetFiltered(true);
    } catch (...) {
        Base->SetFiltered(true);
        Exam->SetFiltered(true);
        throw;
    }
}

TJournalFactory JournalCopyFactory() {
    return [](QObject* owner) -> TJournalDataModuleBase* { return new TTvWorkJournalDataModule(owner, TJournalUse::Copy); };
}
