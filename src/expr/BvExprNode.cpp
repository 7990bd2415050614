#include "BvExprNode.h"

#include "Conversions.h"

#include <cmath>

TDataNode TDataNode::FromString(const QString& text) {
    TDataNode node;
    node.Type = dtString;
    node.Text = text;
    return node;
}

TDataNode TDataNode::FromNumber(double number) {
    TDataNode node;
    node.Type = dtNumber;
    node.Number = number;
    return node;
}

TDataNode TDataNode::FromBoolean(bool flag) {
    TDataNode node;
    node.Type = dtBoolean;
    node.Boolean = flag;
    return node;
}

QString TDataNode::ToText() const {
    switch (Type) {
    case dtString:
        return Text;
    case dtNumber:
        return FloatToStr(Number);
    case dtBoolean:
        return Boolean ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    default:
        return QString();
    }
}

double TDataNode::ToNumber() const {
    switch (Type) {
    case dtString: {
        double value = 0;
        return TryStrToFloat(Text, value) ? value : 0.0;
    }
    case dtNumber:
        return Number;
    case dtBoolean:
        return Boolean ? 1.0 : 0.0;
    default:
        return 0.0;
    }
}

bool TDataNode::ToBoolean() const {
    switch (Type) {
    case dtString:
        return TextIsTrue(Text);
    case dtNumber:
        return Number > 0;
    case dtBoolean:
        return Boolean;
    default:
        return false;
    }
}

namespace {
inline char16_t FoldAscii(char16_t c) { return (c >= 'a' && c <= 'z') ? char16_t(c - 32) : c; }
} // namespace

bool SameNameText(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i].unicode()) != FoldAscii(b[i].unicode()))
            return false;
    return true;
}

bool TextIsTrue(QStringView text) { return SameNameText(text, u"TRUE"); }

int64_t ExprRound(double value) {
    // 2^63: the first magnitude that does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (!(value > -limit && value < limit))
        throw EExprError(QStringLiteral("Invalid floating point operation"));
    return Round(value);
}

// --- TNameList ---

int TNameList::IndexOf(QStringView name) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (SameNameText(FItems[i]->Name, name))
            return int(i);
    return -1;
}

TNameItem* TNameList::Find(QStringView name) const {
    int index = IndexOf(name);
    return index < 0 ? nullptr : FItems[size_t(index)].get();
}

TNameItem* TNameList::FindOrAdd(const QString& name) {
    if (TNameItem* item = Find(name))
        return item;
    FItems.push_back(CreateItem(name));
    return FItems.back().get();
}

// --- TVarItem ---

namespace {
[[noreturn]] void TypeError(const char* pattern, const QString& name) {
    throw EExprError(QString::fromLatin1(pattern).arg(name));
}
} // namespace

QString TVarItem::AsString() const {
    if (FValue.Type != dtString)
        TypeError("Variabel '%1' isn''t a string type", Name);
    return FValue.Text;
}

double TVarItem::AsNumber() const {
    if (FValue.Type != dtNumber)
        TypeError("Variabel '%1' isn't a number type", Name);
    return FValue.Number;
}

int64_t TVarItem::AsInteger() const { return ExprRound(AsNumber()); }

bool TVarItem::AsBoolean() const {
    if (FValue.Type != dtBoolean)
        TypeError("Variabel '%1' isn't a boolean type", Name);
    return FValue.Boolean;
}

void TVarItem::UnassignedError() const {
    TypeError("Variabel '%1' isn't assigned, can't use get node", Name);
}

void TVarItem::SetString(const QString& text) {
    FValue.Type = dtString;
    FValue.Text = text;
}

void TVarItem::SetBoolean(bool flag) {
    FValue.Type = dtBoolean;
    FValue.Boolean = flag;
}

void TVarItem::SetNode(const TDataNode& value) {
    switch (value.Type) {
    case dtString:
        SetString(value.Text);
        break;
    case dtNumber:
        SetNumber(value.Number);
        break;
    case dtBoolean:
        SetBoolean(value.Boolean);
        break;
    default:
        break;
    }
}

void TVarItem::SetVariant(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QString:
        SetString(value.toString());
        break;
    case QMetaType::Double:
        SetNumber(value.toDouble());
        break;
    case QMetaType::Bool:
        SetBoolean(value.toBool());
        break;
    default:
        TypeError("Variabel %1 isn't a variant type", Name);
    }
}

// --- TVarList, TFuncList ---

void TVarList::Resize(int count, std::vector<std::unique_ptr<TNameItem>>& spare) {
    while (int(FItems.size()) > count) {
        spare.push_back(std::move(FItems.back()));
        FItems.pop_back();
    }
    while (int(FItems.size()) < count) {
        if (spare.empty()) {
            FItems.push_back(CreateItem(QString()));
        } else {
            FItems.push_back(std::move(spare.back()));
            spare.pop_back();
        }
    }
}

TFuncItem& TFuncList::AddFunc(const QString& name, int paramCount, TExprFunc handler) {
    TFuncItem& item = *static_cast<TFuncItem*>(TNameList::FindOrAdd(name));
    item.ParamCount = paramCount;
    item.ExprFunc = std::move(handler);
    return item;
}
