#pragma once
// The lists of the risk model keyed by risk factor: the base of the pick
// lists and the formula lists. Items are owned by their list and keep their
// address until they are removed or the list is cleared.

#include "Exceptions.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class TRiskList;

class TRiskItem {
public:
    explicit TRiskItem(TRiskList* collection) : FCollection(collection) {}
    virtual ~TRiskItem() = default;
    TRiskItem(const TRiskItem&) = delete;
    TRiskItem& operator=(const TRiskItem&) = delete;

    TRiskList* Collection() const { return FCollection; }
    int Index() const; // position in the list, -1 when free-standing

    int32_t RiskId() const { return FRiskId; }
    void SetRiskId(int32_t value) { FRiskId = value; }

private:
    TRiskList* FCollection;
    int32_t FRiskId = 0;
};

class TRiskList {
public:
    TRiskList() = default;
    virtual ~TRiskList() = default;
    TRiskList(const TRiskList&) = delete;
    TRiskList& operator=(const TRiskList&) = delete;

    int Count() const { return int(FItems.size()); }
    // Fails with the platform's list message for a position outside the list.
    TRiskItem& Item(int index) const;
    // Appends an item for the risk factor; an id may occur more than once.
    TRiskItem& AddRisk(int32_t riskId);
    // The first item with that id in list order, or none.
    TRiskItem* FindByRiskId(int32_t riskId) const;
    void Delete(int index);
    virtual void Clear() { FItems.clear(); }

protected:
    // The item class of the list.
    virtual std::unique_ptr<TRiskItem> CreateItem() { return std::make_unique<TRiskItem>(this); }

private:
    friend class TRiskItem;
    std::vector<std::unique_ptr<TRiskItem>> FItems;
};

// A risk list whose items are all of one class.
template <class TItem>
class TRiskListOf : public TRiskList {
public:
    TItem& Item(int index) const { return static_cast<TItem&>(TRiskList::Item(index)); }
    TItem& operator[](int index) const { return Item(index); }
    TItem& AddRisk(int32_t riskId) { return static_cast<TItem&>(TRiskList::AddRisk(riskId)); }
    TItem* FindByRiskId(int32_t riskId) const { return static_cast<TItem*>(TRiskList::FindByRiskId(riskId)); }

protected:
    std::unique_ptr<TRiskItem> CreateItem() override { return std::make_unique<TItem>(this); }
};

// The platform's message for a list position that does not exist.
[[noreturn]] void ListIndexError(int index);

// Called inside a catch handler: raises the exception being handled again,
// of the same class, with `prefix` in front of its message, so that a caller
// catching a particular class still sees it. The silent abort and failures
// that carry no message of ours pass unchanged.
[[noreturn]] void RaisePrefixed(const QString& prefix);
