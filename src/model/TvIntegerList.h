#pragma once
// A small ordered list of integers with a tag (the printing keeps its chosen
// composed texts in them, the tag being the texts' type), and the helpers for
// lists of texts whose entries carry an integer object.

#include <QList>
#include <QString>
#include <cstdint>

class TIntegerItem {
public:
    explicit TIntegerItem(int32_t value = 0) : Value(value) {}
    int32_t Value;
    bool operator==(const TIntegerItem&) const = default;
};

class TIntegerList {
public:
    explicit TIntegerList(int32_t tag = 0) : FTag(tag) {}
    // Assigning copies the values and the tag.
    TIntegerList(const TIntegerList&) = default;
    TIntegerList& operator=(const TIntegerList&) = default;
    void Assign(const TIntegerList& source) { *this = source; }

    int32_t Tag() const { return FTag; }
    int Count() const { return int(FItems.size()); }
    // Fails with the platform's list message for a position outside the list.
    TIntegerItem& Items(int index);
    const TIntegerItem& Items(int index) const;
    int32_t operator[](int index) const { return Items(index).Value; }
    TIntegerItem& Add(int32_t value);
    int IndexOf(int32_t value) const; // the first position, -1 when absent
    void Delete(int index);
    void Clear() { FItems.clear(); }

    bool operator==(const TIntegerList& other) const = default;

private:
    int32_t FTag;
    QList<TIntegerItem> FItems;
};

// An entry of a text list that carries an object (a list box's or a combo
// box's entries): the object belongs to the entry.
struct TTextObject {
    QString Text;
    TIntegerItem* Object = nullptr;
};
using TTextObjectList = QList<TTextObject>;

// A free-standing item holding the value, to attach to a text entry; whoever
// attaches it frees it (FreeObjects).
TIntegerItem* NewIntegerObject(int32_t value);
// Frees the objects of all entries; the texts stay, without objects.
void FreeObjects(TTextObjectList& list);
