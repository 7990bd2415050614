#include "DataSet.h"

#include "Conversions.h"
#include "DataFilter.h"
#include "FormatSettings.h"

#include <cmath>
#include <QDate>
#include <QDateTime>

// ---------------------------------------------------------------- helpers

QString FieldTypeName(TFieldType type) {
    switch (type) {
    case TFieldType::ftString: return QStringLiteral("String");
    case TFieldType::ftSmallint: return QStringLiteral("SmallInt");
    case TFieldType::ftInteger: return QStringLiteral("Integer");
    case TFieldType::ftAutoInc: return QStringLiteral("AutoInc");
    case TFieldType::ftFloat: return QStringLiteral("Float");
    case TFieldType::ftBoolean: return QStringLiteral("Boolean");
    case TFieldType::ftDateTime: return QStringLiteral("DateTime");
    case TFieldType::ftMemo: return QStringLiteral("Memo");
    default: return QStringLiteral("Unknown");
    }
}

bool IsNumericType(TFieldType type) {
    return type == TFieldType::ftSmallint || type == TFieldType::ftInteger || type == TFieldType::ftAutoInc ||
           type == TFieldType::ftFloat || type == TFieldType::ftDateTime;
}

bool IsTextType(TFieldType type) { return type == TFieldType::ftString || type == TFieldType::ftMemo; }

int IndexOfFieldDef(const TFieldDefs& defs, const QString& name) {
    for (int i = 0; i < defs.size(); ++i)
        if (SameName(defs[i].Name, name))
            return i;
    return -1;
}

QStringList SplitFieldNames(const QString& names) {
    QStringList result;
    for (const QString& part : names.split(';')) {
        const QString name = part.trimmed();
        if (!name.isEmpty())
            result << name;
    }
    return result;
}

bool SameName(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

QString QuoteName(const QString& name) {
    QString quoted = name;
    quoted.replace('"', QStringLiteral("\"\""));
    return '"' + quoted + '"';
}

static bool IsNullVar(const QVariant& v) { return !v.isValid() || v.isNull(); }

QString FieldValueText(TFieldType type, const QVariant& v) {
    if (IsNullVar(v))
        return QString();
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return IntToStr(v.toLongLong());
    case TFieldType::ftFloat: return FloatToStr(v.toDouble());
    case TFieldType::ftBoolean: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case TFieldType::ftDateTime: return DateTimeToStr(v.toDouble());
    default: return v.toString();
    }
}

static bool ParseBoolean(const QString& text, const QString& displayValues, bool& value) {
    const QString t = text.trimmed();
    QStringList parts = displayValues.split(';');
    const QString yes = parts.value(0), no = parts.value(1);
    auto matches = [&](const QString& word) {
        return !word.isEmpty() && word.startsWith(t, Qt::CaseInsensitive);
    };
    if (matches(yes) || matches(QStringLiteral("True"))) {
        value = true;
        return true;
    }
    if (matches(no) || matches(QStringLiteral("False"))) {
        value = false;
        return true;
    }
    return false;
}

static double ToDateTimeValue(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QDate)
        return DateOf(value.toDate());
    if (value.metaType().id() == QMetaType::QDateTime)
        return DateTimeOf(value.toDateTime());
    if (value.metaType().id() == QMetaType::QString) {
        TDateTime result;
        if (!TryStrToDate(value.toString(), result))
            throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(value.toString()));
        return result;
    }
    return value.toDouble();
}

// A small integer column holds 16 bits, the others 32: a value beyond that
// is refused rather than stored cut.
static QVariant IntegerInRange(TFieldType type, const QString& name, double value) {
    const double low = type == TFieldType::ftSmallint ? -32768 : -2147483648.0;
    const double high = type == TFieldType::ftSmallint ? 32767 : 2147483647.0;
    if (!(value >= low && value <= high))
        throw EDatabaseError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4")
                                 .arg(FloatToStr(value), name, FloatToStr(low), FloatToStr(high)));
    return QVariant(int(value));
}

static QVariant CoerceTo(TFieldType type, int size, const QVariant& value, const QString& name) {
    if (IsNullVar(value))
        return QVariant();
    const bool isText = value.metaType().id() == QMetaType::QString;
    switch (type) {
    case TFieldType::ftString: {
        QString text = value.metaType().id() == QMetaType::Bool ? (value.toBool() ? "True" : "False")
                       : value.metaType().id() == QMetaType::Double ? FloatToStr(value.toDouble())
                                                                    : value.toString();
        if (size > 0 && text.size() > size)
            text.truncate(size);
        return text;
    }
    case TFieldType::ftMemo: return value.toString();
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
        if (isText)
            return value.toString().trimmed().isEmpty() ? QVariant()
                                                        : IntegerInRange(type, name, StrToInt64(value.toString()));
        if (value.metaType().id() == QMetaType::Double || value.metaType().id() == QMetaType::Float)
        {
            const double d = value.toDouble();
            return IntegerInRange(type, name, std::abs(d) < 1e15 ? double(Round(d)) : d);
        }
        if (value.metaType().id() == QMetaType::Bool)
            return QVariant(value.toBool() ? 1 : 0);
        return IntegerInRange(type, name, double(value.toLongLong()));
    case TFieldType::ftFloat:
        if (isText)
            return value.toString().trimmed().isEmpty() ? QVariant() : QVariant(StrToFloat(value.toString()));
        return QVariant(value.toDouble());
    case TFieldType::ftBoolean:
        if (isText) {
            bool b = false;
            if (!ParseBoolean(value.toString(), QStringLiteral("True;False"), b))
                throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(value.toString()));
            return b;
        }
        return QVariant(value.toBool());
    case TFieldType::ftDateTime:
        if (isText && value.toString().trimmed().isEmpty())
            return QVariant();
        return QVariant(ToDateTimeValue(value));
    default: return value;
    }
}

// ---------------------------------------------------------------- TField

TField::TField(TDataSet* dataSet, const QString& fieldName, TFieldType type, int size, TFieldKind kind)
    : TComponent(dataSet), FDataSet(dataSet), FFieldName(fieldName), FDataType(type), FFieldKind(kind), FSize(size) {
    if (FDataSet) {
        FDataSet->FFields.append(this);
        if (!FDataSet->FCreatingDefaults)
            FDataSet->FPersistentFields = true;
    }
}

TField::~TField() {
    if (FDataSet)
        FDataSet->FFields.removeOne(this);
}

int TField::Index() const { return FDataSet ? int(FDataSet->FFields.indexOf(const_cast<TField*>(this))) : -1; }

void TField::SetIndex(int index) {
    if (!FDataSet)
        return;
    const int from = Index();
    index = qBound(0, index, FDataSet->FieldCount() - 1);
    FDataSet->FFields.move(from, index);
}

bool TField::CanModify() const {
    return !FReadOnly && FFieldKind == TFieldKind::fkData && FDataSet && FDataSet->CanModify();
}

QVariant TField::Value() const { return FDataSet ? FDataSet->GetFieldValue(this) : QVariant(); }
void TField::SetValue(const QVariant& value) {
    if (FDataSet)
        FDataSet->SetFieldValue(this, value);
}
QVariant TField::OldValue() const { return FDataSet ? FDataSet->GetOldValue(this) : QVariant(); }

QVariant TField::Coerce(const QVariant& value) const { return CoerceTo(FDataType, FSize, value, FFieldName); }

QString TField::AsString() const { return FieldValueText(FDataType, Value()); }
void TField::SetAsString(const QString& text) { SetValue(text.isEmpty() && !IsTextType(FDataType) ? QVariant() : QVariant(text)); }

int TField::AsInteger() const {
    const QVariant v = Value();
    if (IsNullVar(v))
        return 0;
    if (v.metaType().id() == QMetaType::QString)
        return StrToInt(v.toString());
    if (v.metaType().id() == QMetaType::Double)
        return int(Round(v.toDouble()));
    return v.toInt();
}

double TField::AsFloat() const {
    const QVariant v = Value();
    if (IsNullVar(v))
        return 0;
    if (v.metaType().id() == QMetaType::QString)
        return StrToFloat(v.toString());
    return v.toDouble();
}

TDateTime TField::AsDateTime() const {
    const QVariant v = Value();
    return IsNullVar(v) ? 0.0 : ToDateTimeValue(v);
}

bool TField::AsBoolean() const {
    const QVariant v = Value();
    if (IsNullVar(v))
        return false;
    if (v.metaType().id() == QMetaType::QString) {
        bool b = false;
        if (!ParseBoolean(v.toString(), QStringLiteral("True;False"), b))
            throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(v.toString()));
        return b;
    }
    return v.toBool();
}

QString TField::GetText(bool /*displayText*/) const { return AsString(); }
void TField::SetTextValue(const QString& text) { SetAsString(text); }

QString TField::DisplayText() const {
    if (OnGetText) {
        QString text;
        OnGetText(const_cast<TField*>(this), text, true);
        return text;
    }
    return GetText(true);
}

QString TField::Text() const {
    if (OnGetText) {
        QString text;
        OnGetText(const_cast<TField*>(this), text, false);
        return text;
    }
    return GetText(false);
}

void TField::SetText(const QString& text) {
    if (OnSetText)
        OnSetText(this, text);
    else
        SetTextValue(text);
}

QString TFloatField::GetText(bool displayText) const {
    if (IsNull())
        return QString();
    const QString& format = displayText ? DisplayFormat : (EditFormat.isEmpty() ? QString() : EditFormat);
    return format.isEmpty() ? FloatToStr(AsFloat()) : FormatFloat(format, AsFloat());
}

QString TBooleanField::GetText(bool /*displayText*/) const {
    if (IsNull())
        return QString();
    const QStringList parts = DisplayValues.split(';');
    return AsBoolean() ? parts.value(0) : parts.value(1);
}

void TBooleanField::SetTextValue(const QString& text) {
    if (text.isEmpty()) {
        Clear();
        return;
    }
    bool b = false;
    if (!ParseBoolean(text, DisplayValues, b))
        throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
    SetAsBoolean(b);
}

QString TDateTimeField::GetText(bool displayText) const {
    if (IsNull())
        return QString();
    if (displayText && !DisplayFormat.isEmpty())
        return FormatDateTime(DisplayFormat, AsDateTime());
    return DateTimeToStr(AsDateTime());
}

void TDateTimeField::SetTextValue(const QString& text) {
    if (text.trimmed().isEmpty()) {
        Clear();
        return;
    }
    SetAsDateTime(StrToDate(text));
}

TField* CreateFieldOfType(TDataSet* dataSet, const TFieldDef& def, TFieldKind kind) {
    TField* field = nullptr;
    switch (def.DataType) {
    case TFieldType::ftSmallint: field = new TSmallintField(dataSet, def.Name, kind); break;
    case TFieldType::ftInteger: field = new TIntegerField(dataSet, def.Name, kind); break;
    case TFieldType::ftAutoInc:
        field = new TAutoIncField(dataSet, def.Name);
        // Assigned by the store; a caller that must set it (a table kept in
        // memory only) clears ReadOnly first.
        field->SetReadOnly(true);
        break;
    case TFieldType::ftFloat: field = new TFloatField(dataSet, def.Name, kind); break;
    case TFieldType::ftBoolean: field = new TBooleanField(dataSet, def.Name, kind); break;
    case TFieldType::ftDateTime: field = new TDateTimeField(dataSet, def.Name, kind); break;
    case TFieldType::ftMemo: field = new TMemoField(dataSet, def.Name, kind); break;
    default: field = new TStringField(dataSet, def.Name, def.Size > 0 ? def.Size : 255, kind); break;
    }
    field->SetRequired(def.Required);
    return field;
}

// ---------------------------------------------------------------- links

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* source) {
    if (FDataSource == source)
        return;
    if (FDataSource)
        FDataSource->FLinks.removeOne(this);
    FDataSource = source;
    if (FDataSource)
        FDataSource->FLinks.append(this);
    const bool active = Active();
    if (active != FLinkActive) {
        FLinkActive = active;
        ActiveChanged();
    }
}

TDataSet* TDataLink::DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }
bool TDataLink::Active() const { return DataSet() && DataSet()->Active() && FDataSource->Enabled(); }

TDataSource::~TDataSource() {
    // The owner's handlers may already be gone: detaching tells the links only.
    OnStateChange = nullptr;
    OnDataChange = nullptr;
    OnUpdateData = nullptr;
    SetDataSet(nullptr);
    for (TDataLink* link : QList<TDataLink*>(FLinks))
        link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (FDataSet == dataSet)
        return;
    if (FDataSet)
        FDataSet->FDataSources.removeOne(this);
    FDataSet = dataSet;
    if (FDataSet)
        FDataSet->FDataSources.append(this);
    DataEvent(TDataEvent::deUpdateState, nullptr);
}

void TDataSource::SetEnabled(bool enabled) {
    FEnabled = enabled;
    DataEvent(TDataEvent::deUpdateState, nullptr);
}

TDataSetState TDataSource::State() const { return FDataSet ? FDataSet->State() : TDataSetState::dsInactive; }

void TDataSource::Edit() {
    if (FDataSet && FDataSet->State() == TDataSetState::dsBrowse && FDataSet->CanModify())
        FDataSet->Edit();
}

void TDataSource::DataEvent(TDataEvent event, TField* field) {
    if (event == TDataEvent::deUpdateState) {
        for (TDataLink* link : QList<TDataLink*>(FLinks)) {
            const bool active = link->Active();
            if (active != link->FLinkActive) {
                link->FLinkActive = active;
                link->ActiveChanged();
            }
            link->EditingChanged();
        }
        if (OnStateChange)
            OnStateChange(this);
        return;
    }
    if (!FEnabled)
        return;
    for (TDataLink* link : QList<TDataLink*>(FLinks)) {
        if (!link->FLinkActive)
            continue;
        switch (event) {
        case TDataEvent::deFieldChange:
        case TDataEvent::deRecordChange: link->RecordChanged(field); break;
        case TDataEvent::deDataSetChange: link->DataSetChanged(); break;
        case TDataEvent::deDataSetScroll: link->DataSetScrolled(); break;
        case TDataEvent::deLayoutChange: link->LayoutChanged(); break;
        case TDataEvent::deUpdateRecord: link->UpdateData(); break;
        case TDataEvent::deCheckBrowseMode: link->CheckBrowseMode(); break;
        default: break;
        }
    }
    switch (event) {
    case TDataEvent::deFieldChange:
    case TDataEvent::deRecordChange:
        if (OnDataChange)
            OnDataChange(this, field);
        break;
    case TDataEvent::deDataSetChange:
    case TDataEvent::deDataSetScroll:
    case TDataEvent::deLayoutChange:
        if (OnDataChange)
            OnDataChange(this, nullptr);
        break;
    case TDataEvent::deUpdateRecord:
        if (OnUpdateData)
            OnUpdateData(this);
        break;
    default: break;
    }
}

QList<TField*> TMasterDataLink::Fields() const {
    QList<TField*> result;
    if (TDataSet* master = DataSet())
        for (const QString& name : SplitFieldNames(FieldNames))
            result << master->FieldByName(name);
    return result;
}

void TMasterDataLink::ActiveChanged() {
    if (FDetail->Active())
        FDetail->MasterChanged();
}
void TMasterDataLink::DataSetChanged() { FDetail->MasterChanged(); }
void TMasterDataLink::DataSetScrolled() { FDetail->MasterChanged(); }
void TMasterDataLink::RecordChanged(TField* field) {
    if (!field || Fields().contains(field))
        FDetail->MasterChanged();
}
void TMasterDataLink::CheckBrowseMode() {
    if (FDetail->Active())
        FDetail->CheckBrowseMode();
}

// ---------------------------------------------------------------- TDataSet

TDataSet::TDataSet(QObject* owner) : TComponent(owner), FMasterLink(std::make_unique<TMasterDataLink>(this)) {}

TDataSet::~TDataSet() {
    // The storage is gone already: no more reading, only detaching.
    FState = TDataSetState::dsInactive;
    FMasterLink->SetDataSource(nullptr);
    for (TDataSource* source : QList<TDataSource*>(FDataSources))
        source->FDataSet = nullptr;
    FDataSources.clear();
    for (TField* field : QList<TField*>(FFields)) {
        field->FDataSet = nullptr;
        delete field;
    }
    FFields.clear();
}

QString TDataSet::ErrorPrefix() const { return Name().isEmpty() ? QString() : Name() + QStringLiteral(": "); }

void TDataSet::DatabaseError(const QString& message) const { throw EDatabaseError(ErrorPrefix() + message); }

void TDataSet::CheckActive() const {
    if (!Active())
        DatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TDataSet::SetState(TDataSetState state) {
    if (FState == state)
        return;
    FState = state;
    FModified = false;
    DataEvent(TDataEvent::deUpdateState);
}

void TDataSet::DataEvent(TDataEvent event, TField* field) {
    const bool always = event == TDataEvent::deCheckBrowseMode || event == TDataEvent::deUpdateRecord;
    if (FDisableCount > 0 && !always) {
        FPendingEnable = true;
        return;
    }
    for (TDataSource* source : QList<TDataSource*>(FDataSources))
        source->DataEvent(event, field);
}

void TDataSet::DisableControls() { ++FDisableCount; }

void TDataSet::EnableControls() {
    if (FDisableCount == 0)
        return;
    if (--FDisableCount == 0 && FPendingEnable) {
        FPendingEnable = false;
        DataEvent(TDataEvent::deUpdateState);
        DataEvent(TDataEvent::deDataSetChange);
    }
}

void TDataSet::SetActive(bool active) {
    if (active == Active())
        return;
    if (active) {
        FireEvent(BeforeOpen);
        try {
            FFieldDefs.clear();
            InternalInitFieldDefs();
            BindFields();
            PrepareFilter();
            FState = TDataSetState::dsBrowse; // the loaders ask for the range and the state
            FLastMasterValues.clear();
            InternalOpen();
            QStringList rangeFields;
            MasterRange(rangeFields, FLastMasterValues);
        } catch (...) {
            FState = TDataSetState::dsInactive;
            try {
                InternalClose();
            } catch (...) {
            }
            throw;
        }
        FState = TDataSetState::dsInactive;
        FRecIndex = InternalRecordCount() > 0 ? 0 : -1;
        FBof = true;
        FEof = FRecIndex < 0;
        FInsertIndex = -1;
        SetState(TDataSetState::dsBrowse);
        LoadCurrent();
        DataEvent(TDataEvent::deDataSetChange);
        FireEvent(AfterOpen);
    } else {
        FireEvent(BeforeClose);
        FState = TDataSetState::dsBrowse;
        SetState(TDataSetState::dsInactive);
        InternalClose();
        FBuffer = TRecordBuffer();
        FBufferValid = false;
        FRecIndex = -1;
        FInsertIndex = -1;
        FBof = FEof = true;
        FireEvent(AfterClose);
    }
}

TField* TDataSet::CreateField(const TFieldDef& def) { return CreateFieldOfType(this, def); }

void TDataSet::BindFields() {
    if (!FPersistentFields) {
        bool same = FFields.size() == FFieldDefs.size();
        for (int i = 0; same && i < FFields.size(); ++i)
            same = FFields[i]->FieldName() == FFieldDefs[i].Name && FFields[i]->DataType() == FFieldDefs[i].DataType;
        if (!same) {
            for (TField* field : QList<TField*>(FFields))
                delete field;
            FCreatingDefaults = true;
            try {
                for (const TFieldDef& def : FFieldDefs)
                    CreateField(def);
            } catch (...) {
                FCreatingDefaults = false;
                throw;
            }
            FCreatingDefaults = false;
        }
    }
    FCalcCount = 0;
    for (TField* field : FFields) {
        if (field->FieldKind() == TFieldKind::fkData) {
            field->FFieldNo = IndexOfFieldDef(FFieldDefs, field->FieldName());
            if (field->FFieldNo < 0)
                DatabaseError(QStringLiteral("Field '%1' not found").arg(field->FieldName()));
        } else {
            field->FFieldNo = FCalcCount++;
        }
    }
}

TField* TDataSet::FindField(const QString& name) const {
    for (TField* field : FFields)
        if (SameName(field->FieldName(), name))
            return field;
    return nullptr;
}

TField* TDataSet::FieldByName(const QString& name) const {
    TField* field = FindField(name);
    if (!field)
        DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return field;
}

QVariant TDataSet::FieldValues(const QString& names) const {
    const QStringList list = SplitFieldNames(names);
    if (list.size() == 1)
        return FieldByName(list[0])->Value();
    QVariantList values;
    for (const QString& name : list)
        values << FieldByName(name)->Value();
    return values;
}

void TDataSet::GetFieldNames(QStringList& list) const {
    list.clear();
    for (TField* field : FFields)
        list << field->FieldName();
}

int TDataSet::DataIndexOfField(const QString& name) const { return IndexOfFieldDef(FFieldDefs, name); }

QVariant TDataSet::GetFieldValue(const TField* field) const {
    if (!FBufferValid || field->FFieldNo < 0)
        return QVariant();
    const QVector<QVariant>& cells = field->FieldKind() == TFieldKind::fkData ? FBuffer.Data : FBuffer.Calc;
    return field->FFieldNo < cells.size() ? cells[field->FFieldNo] : QVariant();
}

QVariant TDataSet::GetOldValue(const TField* field) const {
    if (field->FieldKind() != TFieldKind::fkData || field->FFieldNo < 0)
        return GetFieldValue(field);
    if (FState == TDataSetState::dsEdit)
        return FOldBuffer.Data.value(field->FFieldNo);
    if (FState == TDataSetState::dsInsert)
        return QVariant();
    return GetFieldValue(field);
}

void TDataSet::SetFieldValue(TField* field, const QVariant& value) {
    if (field->FieldKind() != TFieldKind::fkData) {
        if (!FInCalc)
            DatabaseError(QStringLiteral("Field '%1' cannot be modified").arg(field->DisplayLabel()));
        if (field->FFieldNo >= 0 && field->FFieldNo < FBuffer.Calc.size())
            FBuffer.Calc[field->FFieldNo] = field->Coerce(value);
        return;
    }
    if (FState != TDataSetState::dsEdit && FState != TDataSetState::dsInsert)
        DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    if (field->ReadOnly())
        DatabaseError(QStringLiteral("Field '%1' cannot be modified").arg(field->DisplayLabel()));
    const QVariant coerced = field->Coerce(value);
    if (field->OnValidate) {
        const QVariant saved = FBuffer.Data[field->FFieldNo];
        FBuffer.Data[field->FFieldNo] = coerced;
        try {
            field->OnValidate(field);
        } catch (...) {
            FBuffer.Data[field->FFieldNo] = saved;
            throw;
        }
    }
    FBuffer.Data[field->FFieldNo] = coerced;
    FModified = true;
    if (field->OnChange)
        field->OnChange(field);
    if (FAutoCalcFields)
        ComputeCalcFields(FBuffer);
    DataEvent(TDataEvent::deFieldChange, field);
}

void TDataSet::ComputeCalcFields(TRecordBuffer& buffer) {
    if (FCalcCount == 0 || FInCalc)
        return;
    buffer.Calc = QVector<QVariant>(FCalcCount);
    FInCalc = true;
    try {
        for (TField* field : FFields) {
            if (field->FieldKind() != TFieldKind::fkLookup || !field->LookupDataSet())
                continue;
            TDataSet* lookup = field->LookupDataSet();
            if (!lookup->Active())
                continue;
            const QStringList keys = SplitFieldNames(field->KeyFields);
            QVariantList values;
            for (const QString& key : keys)
                values << FieldByName(key)->Value();
            buffer.Calc[field->FFieldNo] =
                field->Coerce(lookup->Lookup(field->LookupKeyFields, values.size() == 1 ? values[0] : QVariant(values),
                                             field->LookupResultField));
        }
        if (OnCalcFields)
            OnCalcFields(this);
    } catch (...) {
        FInCalc = false;
        throw;
    }
    FInCalc = false;
}

void TDataSet::LoadCurrent() {
    const int count = InternalRecordCount();
    if (FRecIndex >= 0 && FRecIndex < count) {
        InternalGetRow(FRecIndex, FBuffer);
        FBuffer.Calc = QVector<QVariant>(FCalcCount);
        FBufferValid = true;
        ComputeCalcFields(FBuffer);
    } else {
        FBuffer = TRecordBuffer();
        FBufferValid = false;
    }
}

void TDataSet::ClampCursor() {
    const int count = InternalRecordCount();
    if (FRecIndex >= count)
        FRecIndex = count - 1;
    if (FRecIndex < 0 && count > 0)
        FRecIndex = 0;
    if (count == 0)
        FRecIndex = -1;
}

int TDataSet::RecordCount() const { return Active() ? InternalRecordCount() : 0; }
int TDataSet::RecNo() const { return Active() ? FRecIndex + 1 : 0; }
void TDataSet::SetRecNo(int recNo) {
    CheckActive();
    MoveBy(recNo - 1 - FRecIndex);
}

int TDataSet::InsertIndex() const { return FState == TDataSetState::dsInsert ? FInsertIndex : -1; }

void TDataSet::MoveTo(int index, bool fireScroll) {
    FRecIndex = index;
    ClampCursor();
    LoadCurrent();
    if (fireScroll)
        DataEvent(TDataEvent::deDataSetScroll);
}

void TDataSet::First() {
    CheckActive();
    CheckBrowseMode();
    FireEvent(BeforeScroll);
    MoveTo(0, false);
    FBof = true;
    FEof = InternalRecordCount() == 0;
    DataEvent(TDataEvent::deDataSetChange);
    FireEvent(AfterScroll);
}

void TDataSet::Last() {
    CheckActive();
    CheckBrowseMode();
    FireEvent(BeforeScroll);
    MoveTo(InternalRecordCount() - 1, false);
    FEof = true;
    FBof = InternalRecordCount() == 0;
    DataEvent(TDataEvent::deDataSetChange);
    FireEvent(AfterScroll);
}

int TDataSet::MoveBy(int distance) {
    CheckActive();
    CheckBrowseMode();
    FireEvent(BeforeScroll);
    const int count = InternalRecordCount();
    const int from = FRecIndex;
    FBof = FEof = false;
    int target = from + distance;
    if (target >= count) {
        target = count - 1;
        FEof = true;
    }
    if (target < 0) {
        target = count > 0 ? 0 : -1;
        FBof = true;
        if (count == 0)
            FEof = true;
    }
    const int moved = target - from;
    if (moved != 0)
        MoveTo(target, true);
    FireEvent(AfterScroll);
    return moved;
}

void TDataSet::Next() { MoveBy(1); }
void TDataSet::Prior() { MoveBy(-1); }

void TDataSet::Reload(bool refresh) {
    const bool hadRow = FBufferValid;
    const qint64 id = FBuffer.Id;
    if (refresh)
        InternalRefresh();
    else
        InternalReload();
    Resync(hadRow, id);
}

void TDataSet::ViewChanged() { Resync(FBufferValid, FBuffer.Id); }

void TDataSet::Resync(bool hadRow, qint64 id) {
    int index = hadRow ? IndexOfId(id) : -1;
    if (index < 0)
        index = FRecIndex;
    FRecIndex = index;
    ClampCursor();
    LoadCurrent();
    FBof = FRecIndex <= 0;
    FEof = InternalRecordCount() == 0;
    DataEvent(TDataEvent::deDataSetChange);
}

// An edit stands on a row the rollback may have taken back, whose identity
// another writer may reuse: it is cancelled, and the rows are read again.
void TDataSet::DatabaseRolledBack() {
    if (State() == TDataSetState::dsEdit)
        Cancel();
    if (State() == TDataSetState::dsBrowse)
        Refresh();
}

void TDataSet::Refresh() {
    CheckActive();
    CheckBrowseMode();
    FireEvent(BeforeRefresh);
    Reload(true);
    FireEvent(AfterRefresh);
}

TDataSet::TBookmark TDataSet::GetBookmark() const {
    return Active() && FBufferValid && FState != TDataSetState::dsInsert ? QVariant(FBuffer.Id) : QVariant();
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) const {
    return Active() && bookmark.isValid() && IndexOfId(bookmark.toLongLong()) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
    CheckActive();
    const int index = bookmark.isValid() ? IndexOfId(bookmark.toLongLong()) : -1;
    if (index < 0)
        DatabaseError(QStringLiteral("Record not found"));
    CheckBrowseMode();
    FireEvent(BeforeScroll);
    MoveTo(index, true);
    FBof = FEof = false;
    FireEvent(AfterScroll);
}

void TDataSet::InitNewRecord() {
    FBuffer = TRecordBuffer();
    FBuffer.Data = QVector<QVariant>(FFieldDefs.size());
    FBuffer.Calc = QVector<QVariant>(FCalcCount);
    FBufferValid = true;
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(TDataEvent::deCheckBrowseMode);
    if (FState == TDataSetState::dsEdit || FState == TDataSetState::dsInsert) {
        DataEvent(TDataEvent::deUpdateRecord);
        if (FModified)
            Post();
        else
            Cancel();
    }
}

void TDataSet::Edit() {
    CheckActive();
    if (FState == TDataSetState::dsEdit || FState == TDataSetState::dsInsert)
        return;
    if (InternalRecordCount() == 0) {
        Insert();
        return;
    }
    if (!CanModify())
        DatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
    FireEvent(BeforeEdit);
    FOldBuffer = FBuffer;
    SetState(TDataSetState::dsEdit);
    DataEvent(TDataEvent::deRecordChange);
    FireEvent(AfterEdit);
}

void TDataSet::Insert() {
    CheckActive();
    CheckBrowseMode();
    if (!CanModify())
        DatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
    FireEvent(BeforeInsert);
    FireEvent(BeforeScroll);
    FInsertIndex = qMax(FRecIndex, 0);
    InitNewRecord();
    SetState(TDataSetState::dsInsert);
    // A detail's new row takes the master's key.
    QStringList fields;
    QVariantList values;
    if (MasterRange(fields, values))
        for (int i = 0; i < fields.size(); ++i) {
            const int slot = DataIndexOfField(fields[i]);
            if (slot >= 0)
                FBuffer.Data[slot] = CoerceTo(FFieldDefs[slot].DataType, FFieldDefs[slot].Size, values[i], FFieldDefs[slot].Name);
        }
    FModified = false;
    DoOnNewRecord();
    ComputeCalcFields(FBuffer);
    DataEvent(TDataEvent::deDataSetChange);
    FireEvent(AfterInsert);
    FireEvent(AfterScroll);
}

void TDataSet::Append() {
    CheckActive();
    CheckBrowseMode();
    // Append is an insert placed after the last row.
    const int saved = FRecIndex;
    FRecIndex = InternalRecordCount();
    try {
        Insert();
    } catch (...) {
        FRecIndex = saved;
        ClampCursor();
        throw;
    }
    FInsertIndex = InternalRecordCount();
    FRecIndex = saved;
}

void TDataSet::ValidateRequired() {
    for (TField* field : FFields)
        if (field->FieldKind() == TFieldKind::fkData && field->Required() && field->DataType() != TFieldType::ftAutoInc &&
            IsNullVar(FBuffer.Data.value(field->FFieldNo)))
            DatabaseError(QStringLiteral("Field '%1' must have a value").arg(field->DisplayLabel()));
}

void TDataSet::Post() {
    CheckActive();
    if (FState != TDataSetState::dsEdit && FState != TDataSetState::dsInsert)
        return;
    DataEvent(TDataEvent::deUpdateRecord);
    FireEvent(BeforePost);
    ValidateRequired();
    const bool inserting = FState == TDataSetState::dsInsert;
    const int index = InternalPost(FBuffer, inserting, FInsertIndex);
    FInsertIndex = -1;
    SetState(TDataSetState::dsBrowse);
    if (index >= 0)
        FRecIndex = index;
    ClampCursor();
    LoadCurrent();
    FBof = FEof = false;
    if (InternalRecordCount() == 0)
        FBof = FEof = true;
    DataEvent(TDataEvent::deDataSetChange);
    FireEvent(AfterPost);
}

void TDataSet::Cancel() {
    CheckActive();
    if (FState != TDataSetState::dsEdit && FState != TDataSetState::dsInsert)
        return;
    FireEvent(BeforeCancel);
    FInsertIndex = -1;
    SetState(TDataSetState::dsBrowse);
    ClampCursor();
    LoadCurrent();
    DataEvent(TDataEvent::deDataSetChange);
    FireEvent(AfterCancel);
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (InternalRecordCount() == 0)
        DatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    if (!CanModify())
        DatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
    DataEvent(TDataEvent::deCheckBrowseMode);
    FireEvent(BeforeDelete);
    FireEvent(BeforeScroll);
    InternalDelete(FRecIndex);
    SetState(TDataSetState::dsBrowse);
    ClampCursor();
    LoadCurrent();
    FBof = FRecIndex <= 0;
    FEof = InternalRecordCount() == 0;
    DataEvent(TDataEvent::deDataSetChange);
    FireEvent(AfterDelete);
    FireEvent(AfterScroll);
}

void TDataSet::WithRecord(int index, const std::function<void()>& fn) {
    if ((FState == TDataSetState::dsEdit && index == FRecIndex) || index < 0 || index >= InternalRecordCount()) {
        fn();
        return;
    }
    TRecordBuffer saved = std::move(FBuffer);
    const bool savedValid = FBufferValid;
    struct Restore {
        TDataSet* self;
        TRecordBuffer& saved;
        bool valid;
        ~Restore() {
            self->FBuffer = std::move(saved);
            self->FBufferValid = valid;
        }
    } restore{this, saved, savedValid};
    FBuffer = TRecordBuffer();
    InternalGetRow(index, FBuffer);
    FBuffer.Calc = QVector<QVariant>(FCalcCount);
    FBufferValid = true;
    ComputeCalcFields(FBuffer);
    fn();
}

// ---------------------------------------------------------------- orders

QStringList TDataSet::IndexFieldsOfName(const QString& indexName) const {
    // The older stores named a one-field secondary index after its field
    // (the legacy Journal is read in index "Patient id").
    const int slot = IndexOfFieldDef(FFieldDefs, indexName);
    if (slot >= 0)
        return {FFieldDefs[slot].Name};
    DatabaseError(QStringLiteral("Index '%1' not found").arg(indexName));
}

QStringList TDataSet::OrderFieldNames() const {
    if (!FIndexFieldNames.isEmpty()) {
        // Asked for on every read and search: split once per text.
        if (FIndexFieldNames != FSplitOrderText) {
            FSplitOrder = SplitFieldNames(FIndexFieldNames);
            FSplitOrderText = FIndexFieldNames;
        }
        return FSplitOrder;
    }
    if (!FIndexName.isEmpty())
        return IndexFieldsOfName(FIndexName);
    return {};
}

void TDataSet::SetIndexFieldNames(const QString& names) {
    if (names == FIndexFieldNames && FIndexName.isEmpty())
        return;
    if (Active())
        for (const QString& name : SplitFieldNames(names))
            if (DataIndexOfField(name) < 0)
                DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    if (Active())
        CheckBrowseMode();
    FIndexFieldNames = names;
    FIndexName.clear();
    OrderChanged();
}

void TDataSet::SetIndexName(const QString& name) {
    if (name == FIndexName && FIndexFieldNames.isEmpty())
        return;
    if (Active() && !name.isEmpty())
        IndexFieldsOfName(name); // raises for an unknown index
    if (Active())
        CheckBrowseMode();
    FIndexName = name;
    FIndexFieldNames.clear();
    OrderChanged();
}

// ---------------------------------------------------------------- filters

void TDataSet::PrepareFilter() {
    if (FFiltered && FFilterExpr && !FFilterExpr->Bound())
        FFilterExpr->Bind(FFieldDefs, FFilterOptions & foCaseInsensitive);
}

void TDataSet::SetFilter(const QString& text) {
    std::shared_ptr<TFilterExpr> expr = TFilterExpr::Parse(text); // raises when malformed
    if (Active() && FFiltered)
        expr->Bind(FFieldDefs, FFilterOptions & foCaseInsensitive);
    if (Active())
        CheckBrowseMode();
    FFilterText = text;
    FFilterExpr = expr;
    if (FFiltered)
        FilterChanged();
}

// A filter that does not bind raises before anything changed, so the
// dataset never reads as filtered while it shows every row.
void TDataSet::ChangeFilter(bool filtered, TFilterOptions options) {
    std::shared_ptr<TFilterExpr> expr = FFilterExpr ? TFilterExpr::Parse(FFilterText) : nullptr;
    if (Active() && filtered && expr)
        expr->Bind(FFieldDefs, options & foCaseInsensitive);
    if (Active())
        CheckBrowseMode();
    const bool wasFiltered = FFiltered;
    FFiltered = filtered;
    FFilterOptions = options;
    FFilterExpr = expr;
    if (filtered || wasFiltered)
        FilterChanged();
}

void TDataSet::SetFiltered(bool filtered) {
    if (filtered != FFiltered)
        ChangeFilter(filtered, FFilterOptions);
}

void TDataSet::SetFilterOptions(TFilterOptions options) {
    if (options != FFilterOptions)
        ChangeFilter(FFiltered, options);
}

TFilterExpr* TDataSet::ActiveFilter() const {
    return FFiltered && FFilterExpr && FFilterExpr->Bound() && !FFilterText.trimmed().isEmpty() ? FFilterExpr.get()
                                                                                                : nullptr;
}

bool TDataSet::FilterAccepts(const TRecordBuffer& buffer) const {
    const TFilterExpr* filter = ActiveFilter();
    return !filter || filter->Evaluate(buffer.Data);
}

// ---------------------------------------------------------------- master-detail

void TDataSet::SetMasterSource(TDataSource* source) {
    if (source && source->DataSet() == this)
        DatabaseError(QStringLiteral("Circular datalinks are not allowed"));
    FMasterLink->SetDataSource(source);
    FLastMasterValues.clear();
    if (Active())
        MasterChanged();
}

void TDataSet::SetMasterFields(const QString& names) {
    FMasterLink->FieldNames = names;
    FLastMasterValues.clear();
    if (Active())
        MasterChanged();
}

QStringList TDataSet::MasterRangeFields() const {
    if (FMasterLink->FieldNames != FSplitMasterText) {
        FSplitMaster = SplitFieldNames(FMasterLink->FieldNames);
        FSplitMasterText = FMasterLink->FieldNames;
        FMasterFields.clear();
    }
    if (!FMasterLink->DataSource())
        return {};
    const QStringList order = OrderFieldNames();
    QStringList fields;
    for (int i = 0; i < FSplitMaster.size(); ++i)
        fields << (i < order.size() ? order[i] : FSplitMaster[i]);
    return fields;
}

bool TDataSet::MasterRange(QStringList& fields, QVariantList& values) const {
    fields.clear();
    values.clear();
    if (FMasterLink->FieldNames != FSplitMasterText) {
        FSplitMaster = SplitFieldNames(FMasterLink->FieldNames);
        FSplitMasterText = FMasterLink->FieldNames;
        FMasterFields.clear();
    }
    const QStringList& masterNames = FSplitMaster;
    if (!FMasterLink->DataSource() || masterNames.isEmpty())
        return false;
    const QStringList order = OrderFieldNames();
    TDataSet* master = FMasterLink->DataSet();
    const bool current = master && master->Active() && master->FBufferValid;
    // The master's fields, found by name once while they live.
    if (current && (FMasterFieldsOf != master || FMasterFields.size() != masterNames.size() ||
                    std::any_of(FMasterFields.begin(), FMasterFields.end(), [](const QPointer<TField>& f) { return !f; }))) {
        FMasterFields.clear();
        for (const QString& name : masterNames)
            FMasterFields << master->FieldByName(name);
        FMasterFieldsOf = master;
    }
    for (int i = 0; i < masterNames.size(); ++i) {
        fields << (i < order.size() ? order[i] : masterNames[i]);
        values << (current ? FMasterFields[i]->Value() : QVariant());
    }
    return true;
}

void TDataSet::MasterChanged() {
    if (!Active())
        return;
    QStringList fields;
    QVariantList values;
    MasterRange(fields, values);
    if (values == FLastMasterValues && !values.isEmpty() && FMasterLink->Active())
        return;
    CheckBrowseMode();
    FLastMasterValues = values;
    InternalReload();
    FRecIndex = 0;
    First();
}

// ---------------------------------------------------------------- searches

// A number held in a value of a known kind, without QVariant's conversion.
static double NumberOf(const QVariant& v, int type) {
    switch (type) {
    case QMetaType::Double: return *static_cast<const double*>(v.constData());
    case QMetaType::Int: return *static_cast<const int*>(v.constData());
    case QMetaType::LongLong: return double(*static_cast<const qlonglong*>(v.constData()));
    case QMetaType::Bool: return *static_cast<const bool*>(v.constData()) ? 1 : 0;
    default: return v.toDouble();
    }
}

// Sorting and searching compare many values: texts are compared where they
// are held, not copied out of their QVariant first.
int TDataSet::CompareValues(const QVariant& a, const QVariant& b, bool caseInsensitive) {
    const bool na = IsNullVar(a), nb = IsNullVar(b);
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    const int ta = a.metaType().id(), tb = b.metaType().id();
    const Qt::CaseSensitivity cs = caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (ta == QMetaType::QString && tb == QMetaType::QString)
        return QString::compare(*static_cast<const QString*>(a.constData()), *static_cast<const QString*>(b.constData()), cs);
    if (ta == QMetaType::QString || tb == QMetaType::QString)
        return QString::compare(a.toString(), b.toString(), cs);
    const double x = NumberOf(a, ta), y = NumberOf(b, tb);
    return x < y ? -1 : (x > y ? 1 : 0);
}

QList<TField*> TDataSet::ResolveFields(const QStringList& names) const {
    QList<TField*> result;
    for (const QString& name : names)
        result << FieldByName(name);
    return result;
}

QVariantList KeyList(const QVariant& keyValues, int count) {
    if (count > 1 || keyValues.metaType().id() == QMetaType::QVariantList)
        return keyValues.toList();
    return {keyValues};
}

TDataSet::TLocateKey TDataSet::LocateKey(const QStringList& names, const QVariantList& values,
                                         TLocateOptions options) const {
    TLocateKey key;
    key.Fields = ResolveFields(names);
    for (int i = 0; i < key.Fields.size(); ++i) {
        TField* field = key.Fields[i];
        const QVariant v = values.value(i);
        key.Wanted << (IsTextType(field->DataType()) ? (IsNullVar(v) ? QVariant() : QVariant(v.toString()))
                                                     : field->Coerce(v));
        key.DataOnly = key.DataOnly && field->FieldKind() == TFieldKind::fkData;
        key.Slots << (field->FieldKind() == TFieldKind::fkData ? field->FFieldNo : -1);
    }
    key.CaseInsensitive = options & loCaseInsensitive;
    key.Partial = options & loPartialKey;
    return key;
}

bool TDataSet::TLocateKey::Matches(const QVariantList& have) const {
    for (int i = 0; i < Fields.size(); ++i) {
        const QVariant& h = have[i];
        const QVariant& want = Wanted[i];
        if (IsNullVar(want) || IsNullVar(h)) {
            if (IsNullVar(want) != IsNullVar(h))
                return false;
            continue;
        }
        if (IsTextType(Fields[i]->DataType())) {
            const QString hs = h.toString(), w = want.toString();
            const Qt::CaseSensitivity cs = CaseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
            if (Partial ? !hs.startsWith(w, cs) : QString::compare(hs, w, cs) != 0)
                return false;
        } else if (CompareValues(h, want) != 0)
            return false;
    }
    return true;
}

bool TDataSet::TLocateKey::MatchesData(const QVector<QVariant>& data) const {
    QVariantList have;
    for (int slot : Slots)
        have << data.value(slot);
    return Matches(have);
}

int TDataSet::ScanLocate(const QStringList& names, const QVariantList& values, TLocateOptions options) {
    const TLocateKey key = LocateKey(names, values, options);
    const int count = InternalRecordCount();
    TRecordBuffer row;
    for (int index = 0; index < count; ++index) {
        if (key.DataOnly) {
            InternalGetRow(index, row);
            if (key.MatchesData(row.Data))
                return index;
            continue;
        }
        QVariantList have;
        WithRecord(index, [&] {
            for (TField* field : key.Fields)
                have << field->Value();
        });
        if (key.Matches(have))
            return index;
    }
    return -1;
}

// The rows are held in their order, compared as the order compares them (see
// FindNearest): the leading order fields found in the key narrow the search
// to the first row of their equal range, and only rows of that range are
// matched against the whole key. Case-insensitive or partial keys do not
// follow the order of the texts and are left to the other searches.
bool TDataSet::OrderedLocate(const TLocateKey& key, int& index) {
    if (!key.DataOnly || key.CaseInsensitive || key.Partial)
        return false;
    QVector<int> orderSlots;
    QVariantList wanted;
    for (const QString& name : OrderFieldNames()) {
        const TField* field = FindField(name);
        const int at = field ? int(key.Fields.indexOf(const_cast<TField*>(field))) : -1;
        if (at < 0 || key.Slots[at] < 0)
            break;
        orderSlots << key.Slots[at];
        wanted << key.Wanted[at];
    }
    if (orderSlots.isEmpty())
        return false;
    TRecordBuffer row;
    const auto compare = [&] {
        int c = 0;
        for (int i = 0; i < orderSlots.size() && c == 0; ++i)
            c = CompareValues(row.Data.value(orderSlots[i]), wanted[i]);
        return c;
    };
    int lo = 0, hi = InternalRecordCount();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        InternalGetRow(mid, row);
        if (compare() < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    index = -1;
    for (int at = lo; at < InternalRecordCount(); ++at) {
        InternalGetRow(at, row);
        if (compare() != 0)
            break;
        if (key.MatchesData(row.Data)) {
            index = at;
            break;
        }
    }
    return true;
}

int TDataSet::LocateIndex(const QString& keyFields, const QVariant& keyValues, TLocateOptions options) {
    const QStringList names = SplitFieldNames(keyFields);
    const QVariantList values = KeyList(keyValues, int(names.size()));
    int index = -1;
    if (!InternalLocate(names, values, options, index))
        index = ScanLocate(names, values, options);
    return index;
}

void TDataSet::BeginLocatedScroll() { FireEvent(BeforeScroll); }

void TDataSet::EndLocatedScroll(int index) {
    MoveTo(index, true);
    FBof = FEof = false;
    FireEvent(AfterScroll);
}

bool TDataSet::Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options) {
    CheckActive();
    CheckBrowseMode();
    const int index = LocateIndex(keyFields, keyValues, options);
    if (index < 0)
        return false;
    BeginLocatedScroll();
    EndLocatedScroll(index);
    return true;
}

QVariant TDataSet::Lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields) {
    if (!Active())
        return QVariant();
    const QStringList names = SplitFieldNames(keyFields);
    const QVariantList values = KeyList(keyValues, int(names.size()));
    int index = -1;
    if (!OrderedLocate(LocateKey(names, values, 0), index) && !InternalLocate(names, values, 0, index))
        index = ScanLocate(names, values, 0);
    if (index < 0)
        return QVariant();
    // Data fields are read from the row as held, without computing the
    // row's calculated fields; the row being edited shows its edit.
    const QList<TField*> results = ResolveFields(SplitFieldNames(resultFields));
    const bool dataOnly = std::all_of(results.begin(), results.end(), [](const TField* field) {
        return field->FieldKind() == TFieldKind::fkData && field->FFieldNo >= 0;
    });
    if (!dataOnly || (FState == TDataSetState::dsEdit && index == FRecIndex)) {
        QVariant result;
        WithRecord(index, [&] { result = FieldValues(resultFields); });
        return result;
    }
    TRecordBuffer row;
    InternalGetRow(index, row);
    if (results.size() == 1)
        return row.Data.value(results[0]->FFieldNo);
    QVariantList found;
    for (const TField* field : results)
        found << row.Data.value(field->FFieldNo);
    return found;
}

bool TDataSet::FindKey(const QVariantList& keyValues) {
    QStringList order = OrderFieldNames();
    if (order.isEmpty())
        DatabaseError(QStringLiteral("No index currently active"));
    order = order.mid(0, keyValues.size());
    return Locate(order.join(';'), keyValues.size() == 1 ? keyValues[0] : QVariant(keyValues), 0);
}

void TDataSet::FindNearest(const QVariantList& keyValues) {
    CheckActive();
    CheckBrowseMode();
    QStringList order = OrderFieldNames();
    if (order.isEmpty())
        DatabaseError(QStringLiteral("No index currently active"));
    order = order.mid(0, keyValues.size());
    const QList<TField*> fields = ResolveFields(order);
    QVariantList wanted;
    for (int i = 0; i < fields.size(); ++i)
        wanted << fields[i]->Coerce(keyValues.value(i));
    int index = -1;
    if (!InternalFindNearest(order, wanted, index)) {
        // The rows are in order: the first one not below the key.
        const int count = InternalRecordCount();
        TRecordBuffer row;
        int lo = 0, hi = count;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            InternalGetRow(mid, row);
            int c = 0;
            for (int i = 0; i < fields.size() && c == 0; ++i)
                c = CompareValues(row.Data.value(fields[i]->FFieldNo), wanted[i]);
            if (c < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        index = lo < count ? lo : -1;
    }
    if (index < 0) {
        Last();
        return;
    }
    FireEvent(BeforeScroll);
    MoveTo(index, true);
    FBof = FEof = false;
    FireEvent(AfterScroll);
}
