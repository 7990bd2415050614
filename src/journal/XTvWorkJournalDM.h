#pragma once
// The journal's rules: the texts of the values (converted, or through the
// country's pick lists), the patient identity and its check, a new
// patient's base values, a new examination's free date and inherited values
// and treatment items, the delete cascades of a patient and an examination,
// the treatment catalogue's guards, and the link to the calculation: after
// every change of the journal the calculation's copy of it is refilled and
// the risk recalculated, then OnJournalChange tells the window.
//
// A delete of a patient or an examination is one transaction over both
// databases: its values, examinations and treatment items all go, or none do.
// A new examination with its copied values and items is one transaction too.

#include "BuildJournalDM.h"

#include <memory>
#include <optional>

class TBvExprResult;
class TBvExprSource;
class TBvMask;
class TClientDataSet;

class TXTvWorkJournalDataModule : public TBuildJournalDataModule {
    Q_OBJECT
public:
    explicit TXTvWorkJournalDataModule(QObject* AOwner = nullptr, TJournalUse use = TJournalUse::Work);
    ~TXTvWorkJournalDataModule() override;

    TBvExprSource* IDExprSource = nullptr; // offers GetIdentity
    TBvExprResult* IDExpr = nullptr;
    TBvMask* Mask = nullptr;               // inactive: no identity check

    // When the other module is a journal module: its current patient (the
    // row, every examination, the base values and the values of every
    // examination), positioned as the other is, and its AgeOverride.
    void AssignFrom(TBuildDataModule* other) override;

    // Stores the calculation; none unlinks the journal from it.
    virtual void SetCalculation(TJournalCalculation* calculation);
    TJournalCalculation* Calculation() const { return FCalculation; }
    // Creates or updates the base values of the current patient (table none)
    // or of the given table's rows, from the risks' defaults; risk 7 is 1
    // for a diabetic patient or in the Diabetes edition. A new patient of
    // Denmark gets the sex its sequence id tells (ProposedSex) instead of the
    // default, unless the patient has a sex value already.
    virtual void SetBaseDefaults(TDataSet* table, bool diabetic);
    // Fills the values of the examination just inserted from the previous
    // examination, or from the template of Journal id 1 for the first one.
    virtual void TransferValues();
    // Nothing here; the product's module switches the model variant.
    virtual void SetDiabetes(bool /*value*/) {}

    // The sex the current patient's Danish sequence id tells: its last digit
    // odd a man (0), even a woman (1). None outside Denmark or when the
    // sequence id does not end in a digit.
    std::optional<int> ProposedSex() const;
    // The risk factor "Sex".
    static constexpr int SexRiskId = 5;

    // The country's identity of the current patient: the birth date in the
    // country's BirthDateFormat without separators, then the sequence id.
    QString GetIdentity() const;
    // The country's validation expression on the current patient. An
    // expression error reaches the caller; any other error reads as invalid.
    bool IdentityValid();
    // Raises "Patient ID error" when the mask is active and the identity invalid.
    void CheckIdentity();
    // Asked to move the focus to the identity's control before CheckIdentity raises.
    std::function<void()> OnIdentityFocus;

    // Refills the calculation's copy, recalculates, raises OnJournalChange.
    void JournalChanged(TDataSet* sender);

    bool Inserting() const { return FInserting; }
    void SetInserting(bool value);
    // Counted, so a delete the window wraps in its own SetDeleting(true)
    // and (false) ends only when the outermost does.
    bool Deleting() const { return FDeleting > 0; }
    void SetDeleting(bool value);
    bool DependentUpdate = false;
    int LastJournalId = 0;

    TDataSetNotifyEvent OnJournalChange;

protected:
    void PatientBeforeInsert(TDataSet* dataSet) override;
    void PatientNewRecord(TDataSet* dataSet) override;
    void PatientBeforePost(TDataSet* dataSet) override;
    void PatientAfterPost(TDataSet* dataSet) override;
    void PatientAfterCancel(TDataSet* dataSet) override;
    void PatientBeforeDelete(TDataSet* dataSet) override;
    void PatientAfterDelete(TDataSet* dataSet) override;
    void JournalScrolled(TDataSet* dataSet) override;
    void JournalBeforeInsert(TDataSet* dataSet) override;
    void JournalNewRecord(TDataSet* dataSet) override;
    void JournalAfterInsert(TDataSet* dataSet) override;
    void JournalAfterPost(TDataSet* dataSet) override;
    void JournalAfterCancel(TDataSet* dataSet) override;
    void JournalBeforeDelete(TDataSet* dataSet) override;
    void JournalAfterDelete(TDataSet* dataSet) override;
    void ValueBeforePost(TDataSet* dataSet) override;
    void ValueAfterPost(TDataSet* dataSet) override;
    void ItemBeforeDelete(TDataSet* dataSet) override;
    void GroupBeforeDelete(TDataSet* dataSet) override;
    void DeleteFailed(TDataSet* dataSet) override;
    void StartDelete();
    void FinishDelete(TDataSet* dataSet);
    void AbandonDelete();

    // A value of Base or Exam was posted; riskId is the posted row's.
    virtual void RiskPosted(TDataSet* dataSet, int riskId);
    virtual void CopyTreatmentLinks();
    void RememberLastJournal();
    // The texts of the values that are not converted.
    virtual void ValueGetText(TField* sender, QString& text, bool displayText);
    virtual void ValueSetText(TField* sender, const QString& text);

    // Set while this module is being filled by AssignFrom: its own tables'
    // reactions (recalculation, patient scroll) stay quiet.
    bool Assigning() const { return FAssigning; }

private:
    // A transaction on both databases: the patient values and the
    // treatment items of the application database.
    struct TWriteTransaction;
    using TWrite = std::unique_ptr<TWriteTransaction>;
    static TWrite BeginWrite();
    static void CommitWrite(TWrite& write);
    // Deletes the values and treatment items of the examinations.
    void DeleteExaminationRows(const QList<int>& journalIds);
    QList<int> StoredJournalIds(int patientId) const;
    int CurrentId(TDataSet* table, const QString& field) const;

    TJournalCalculation* FCalculation = nullptr;
    bool FInserting = false;
    int FDeleting = 0;
    // Taken before the post: after it the cursor may stand on another row
    // (the posted one can leave a filtered view).
    int FPostedRiskId = 0;
    bool FAssigning = false;
    TWrite FInsertWrite; // a new examination with its values and items
    TWrite FDeleteWrite; // a patient or an examination with everything of it
    TTable* FLinkStore = nullptr; // ItemLink without view or master
};
