#pragma once
// The product's journal module: the Enabled column of the values follows
// the calculation's current model, a transferred examination value shows
// its mark until it is changed, an examination remembers the model it was
// made with, the Combined edition switches between the diabetes and the
// non-diabetes model as the patient's diabetes value says, and in the
// Prevention edition the values shown are those of the current model.

#include "XTvWorkJournalDM.h"

class TTvWorkJournalDataModule : public TXTvWorkJournalDataModule {
    Q_OBJECT
public:
    explicit TTvWorkJournalDataModule(QObject* AOwner = nullptr, TJournalUse use = TJournalUse::Work);

    // Also points the Enabled lookups of Base and Exam at the model's risks.
    void SetCalculation(TJournalCalculation* calculation) override;
    // Combined edition: switches the model variant when the value differs
    // from the switch's and OnModelSwitch is set, then raises it.
    void SetDiabetes(bool value) override;
    // Shows in Base and Exam only the base and examination risks of the
    // model's risk table.
    void RestrictToModel(TDataSet* risks);

    TNotifyEvent OnModelSwitch;

protected:
    void PatientScrolled(TDataSet* dataSet) override;
    void JournalNewRecord(TDataSet* dataSet) override;
    void FillUnitFields(TDataSet* dataSet, int riskId) override;

private:
    // The patient's risk-7 base value read from the store: the view's
    // filter hides that row.
    bool StoredDiabetes(int patientId);
};

// Makes the journal a calculation module owns as its JournalCopy.
TJournalFactory JournalCopyFactory();
