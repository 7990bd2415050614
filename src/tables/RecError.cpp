#include "RecError.h"

#include "BvDictionary.h"
#include "BvTranslator.h"
#include "Conversions.h"
#include "DateTime.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

struct TActionChoice {
    TReconcileAction Action;
    const char* Caption;
};
const TActionChoice Choices[] = {
    {TReconcileAction::raSkip, "Skip"},     {TReconcileAction::raAbort, "Abort"},
    {TReconcileAction::raCorrect, "Correct"}, {TReconcileAction::raCancel, "Cancel"},
    {TReconcileAction::raRefresh, "Refresh"},
};

enum { ColName, ColModified, ColOriginal };

} // namespace

QString TReconcileErrorForm::UpdateKindText(TUpdateKind kind) {
    switch (kind) {
    case TUpdateKind::ukInsert: return QStringLiteral("Inserted");
    case TUpdateKind::ukDelete: return QStringLiteral("Deleted");
    default: return QStringLiteral("Modified");
    }
}

TReconcileErrorForm::TReconcileErrorForm(TDataSet* dataSet, const TReconcileError& error, QWidget* parent)
    : QDialog(parent), FDataSet(dataSet), FError(error) {
    setObjectName(QStringLiteral("ReconcileErrorForm"));
    setWindowTitle(QStringLiteral("Update Error"));
    auto* layout = new QVBoxLayout(this);

    auto* info = new QGridLayout;
    info->addWidget(new QLabel(QStringLiteral("Update Type:"), this), 0, 0);
    FUpdateType = new QLabel(UpdateKindText(error.UpdateKind), this);
    FUpdateType->setObjectName(QStringLiteral("UpdateType"));
    info->addWidget(FUpdateType, 0, 1);
    info->addWidget(new QLabel(QStringLiteral("Error Message:"), this), 1, 0, Qt::AlignTop);
    FErrorMessage = new QLabel(error.Message, this);
    FErrorMessage->setObjectName(QStringLiteral("UpdateData"));
    FErrorMessage->setWordWrap(true);
    info->addWidget(FErrorMessage, 1, 1);
    info->setColumnStretch(1, 1);
    layout->addLayout(info);

    FGrid = new QTableWidget(int(error.Defs.size()), 3, this);
    FGrid->setObjectName(QStringLiteral("UpdateGrid"));
    // Header items are no widgets: the window's translation does not reach them.
    FGrid->setHorizontalHeaderLabels({TranslateText(QStringLiteral("Field Name")),
                                      TranslateText(QStringLiteral("Modified Value")),
                                      TranslateText(QStringLiteral("Original Value"))});
    FGrid->verticalHeader()->hide();
    FGrid->horizontalHeader()->setStretchLastSection(true);
    for (int i = 0; i < error.Defs.size(); ++i) {
        const TFieldDef& def = error.Defs[i];
        auto* name = new QTableWidgetItem(def.Name);
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        FGrid->setItem(i, ColName, name);
        FGrid->setItem(i, ColModified, new QTableWidgetItem(FieldValueText(def.DataType, error.Values.value(i))));
        // A deleted or inserted row has no separate stored values.
        auto* original = new QTableWidgetItem(FieldValueText(def.DataType, error.Original.value(i)));
        original->setFlags(original->flags() & ~Qt::ItemIsEditable);
        FGrid->setItem(i, ColOriginal, original);
    }
    layout->addWidget(FGrid, 1);

    auto* group = new QGroupBox(QStringLiteral("Reconcile Action"), this);
    group->setObjectName(QStringLiteral("ActionGroup"));
    auto* groupLayout = new QGridLayout(group);
    FActions = new QButtonGroup(this);
    int at = 0;
    for (const TActionChoice& choice : Choices) {
        auto* button = new QRadioButton(QString::fromLatin1(choice.Caption), group);
        button->setObjectName(QString::fromLatin1(choice.Caption) + QStringLiteral("Button"));
        FActions->addButton(button, int(choice.Action));
        groupLayout->addWidget(button, at / 3, at % 3);
        ++at;
    }
    SetAction(TReconcileAction::raSkip);
    layout->addWidget(group);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    // The platform's own button texts differ between styles; these are the dictionary's.
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(480, 360);
    // A window of the system like any other: in the user's language.
    TranslateWidgetTree(this, TBvDictionary::Find(QStringLiteral("MainDictionary")));
}

TReconcileAction TReconcileErrorForm::Action() const {
    if (result() != QDialog::Accepted)
        return TReconcileAction::raAbort;
    return TReconcileAction(FActions->checkedId());
}

void TReconcileErrorForm::SetAction(TReconcileAction action) {
    if (QAbstractButton* button = FActions->button(int(action)))
        button->setChecked(true);
}

QVector<QVariant> TReconcileErrorForm::EditedValues() const {
    QVector<QVariant> values = FError.Values;
    values.resize(FError.Defs.size());
    for (int i = 0; i < FError.Defs.size(); ++i) {
        const TFieldDef& def = FError.Defs[i];
        const QString text = FGrid->item(i, ColModified)->text();
        if (text == FieldValueText(def.DataType, values[i]))
            continue; // untouched: keep the value exactly
        TField* field = FDataSet ? FDataSet->FindField(def.Name) : nullptr;
        if (text.isEmpty() && !IsTextType(def.DataType))
            values[i] = QVariant();
        else
            values[i] = field ? field->Coerce(text) : QVariant(text);
    }
    return values;
}

void TReconcileErrorForm::accept() {
    if (TReconcileAction(FActions->checkedId()) == TReconcileAction::raCorrect) {
        try {
            EditedValues();
        } catch (const Exception& error) {
            FErrorMessage->setText(error.Message());
            return;
        }
    }
    QDialog::accept();
}

TReconcileAction HandleReconcileError(TDataSet* dataSet, TReconcileError& error) {
    // Without windows (the command line) nobody could answer: the error goes on.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw EDatabaseError(error.Message);
    TReconcileErrorForm form(dataSet, error);
    form.exec();
    const TReconcileAction action = form.Action();
    if (action == TReconcileAction::raCorrect)
        error.Values = form.EditedValues();
    return action;
}
