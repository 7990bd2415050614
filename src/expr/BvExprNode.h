#pragma once
// Values, variables and function entries of the expression language.

#include "Exceptions.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QObject;

class EExprError : public Exception {
public:
    using Exception::Exception;
};

// The type byte of a value, in code, on the stack and in a variable.
enum TDataType : uint8_t { dtString = 0, dtNumber = 1, dtBoolean = 2, dtEmpty = 3 };

// One value of the language. Only the field that Type names is meaningful.
struct TDataNode {
    TDataType Type = dtEmpty;
    QString Text;
    double Number = 0;
    bool Boolean = false;

    TDataNode() = default;
    static TDataNode FromString(const QString& text);
    static TDataNode FromNumber(double number);
    static TDataNode FromBoolean(bool flag);

    bool IsEmpty() const { return Type == dtEmpty; }
    // Conversions used by comparisons, logical operators and output; an
    // empty value gives "", 0 or false.
    QString ToText() const;
    double ToNumber() const;
    bool ToBoolean() const;
};

// ASCII letters compared without regard to case, every other character exactly.
bool SameNameText(QStringView a, QStringView b);

// Text to boolean as the language converts it: "TRUE" in any ASCII case.
bool TextIsTrue(QStringView text);

// Nearest integer, halves to even; a value outside the 64-bit range is refused
// rather than turned into an arbitrary integer.
int64_t ExprRound(double value);

class TNameItem {
public:
    explicit TNameItem(const QString& name = QString()) : Name(name) {}
    virtual ~TNameItem() = default;
    QString Name;
};

// An ordered list of named entries, looked up linearly without regard to case.
// Entries keep their address for the list's lifetime (until Clear).
class TNameList {
public:
    explicit TNameList(QObject* owner = nullptr) : FOwner(owner) {}
    virtual ~TNameList() = default;
    TNameList(const TNameList&) = delete;
    TNameList& operator=(const TNameList&) = delete;

    QObject* Owner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    TNameItem* Item(int index) const { return FItems[size_t(index)].get(); }
    TNameItem* Find(QStringView name) const;
    int IndexOf(QStringView name) const;
    TNameItem* FindOrAdd(const QString& name);
    void Clear() { FItems.clear(); }

protected:
    friend class TBvExprMain; // the machine reads entries by index in its inner loop
    virtual std::unique_ptr<TNameItem> CreateItem(const QString& name) const = 0;
    std::vector<std::unique_ptr<TNameItem>> FItems;

private:
    QObject* FOwner;
};

class TVarItem : public TNameItem {
public:
    using TNameItem::TNameItem;

    // Typed getters; a value of another type fails naming the variable.
    QString AsString() const;
    double AsNumber() const;
    int64_t AsInteger() const;
    bool AsBoolean() const;
    const TDataNode& GetNode() const {
        if (FValue.Type == dtEmpty) [[unlikely]]
            UnassignedError();
        return FValue;
    }
    // The value whatever its type, empty included.
    const TDataNode& Node() const { return FValue; }
    TDataType Type() const { return FValue.Type; }

    void SetString(const QString& text);
    void SetNumber(double number) {
        FValue.Type = dtNumber;
        FValue.Number = number;
    }
    void SetBoolean(bool flag);
    // An empty value leaves the variable unchanged.
    void SetNode(const TDataNode& value);
    void SetVariant(const QVariant& value);
    void Clear() { FValue.Type = dtEmpty; }

private:
    friend class TBvExprMain;
    [[noreturn]] void UnassignedError() const;
    TDataNode FValue;
};

class TVarList : public TNameList {
public:
    using TNameList::TNameList;
    TVarItem& Items(int index) const { return *static_cast<TVarItem*>(Item(index)); }
    TVarItem& operator[](int index) const { return Items(index); }
    TVarItem* Find(QStringView name) const { return static_cast<TVarItem*>(TNameList::Find(name)); }
    TVarItem& FindOrAdd(const QString& name) {
        return *static_cast<TVarItem*>(TNameList::FindOrAdd(name));
    }
    void SetValue(const QString& name, const TDataNode& value) { FindOrAdd(name).SetNode(value); }

    // The stack machine reuses one parameter list per call depth: these keep
    // the entries' storage when the number of arguments changes.
    void Resize(int count, std::vector<std::unique_ptr<TNameItem>>& spare);

protected:
    std::unique_ptr<TNameItem> CreateItem(const QString& name) const override {
        return std::make_unique<TVarItem>(name);
    }
};

// The handler of a function: reads its arguments from Params ("1", "2", ...)
// and gives its value to Result.
using TExprFunc = std::function<void(TVarList& Params, TVarItem& Result)>;

class TFuncItem : public TNameItem {
public:
    using TNameItem::TNameItem;
    TExprFunc ExprFunc;
    int32_t ParamCount = 0;
};

class TFuncList : public TNameList {
public:
    using TNameList::TNameList;
    TFuncItem& Items(int index) const { return *static_cast<TFuncItem*>(Item(index)); }
    TFuncItem* Find(QStringView name) const { return static_cast<TFuncItem*>(TNameList::Find(name)); }
    // Adding a name again replaces the earlier handler and count.
    TFuncItem& AddFunc(const QString& name, int paramCount, TExprFunc handler);

protected:
    std::unique_ptr<TNameItem> CreateItem(const QString& name) const override {
        return std::make_unique<TFuncItem>(name);
    }
};
