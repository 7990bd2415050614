#include "TvIntegerList.h"

#include "TvRiskList.h"

#include <utility>

TIntegerItem& TIntegerList::Items(int index) {
    std::as_const(*this).Items(index); // checks the position
    return FItems[index];              // a list of its own before it is written to
}

const TIntegerItem& TIntegerList::Items(int index) const {
    if (index < 0 || index >= Count())
        ListIndexError(index);
    return FItems[index];
}

TIntegerItem& TIntegerList::Add(int32_t value) {
    FItems.append(TIntegerItem(value));
    return FItems.last();
}

int TIntegerList::IndexOf(int32_t value) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[i].Value == value)
            return i;
    return -1;
}

void TIntegerList::Delete(int index) {
    Items(index); // checks the position
    FItems.removeAt(index);
}

TIntegerItem* NewIntegerObject(int32_t value) { return new TIntegerItem(value); }

void FreeObjects(TTextObjectList& list) {
    for (TTextObject& entry : list) {
        delete entry.Object;
        entry.Object = nullptr;
    }
}
