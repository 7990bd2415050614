#pragma once
// Small fixtures of the model tests: in-memory tables from rows written out
// in the test, and the message of a failing call.

#include "DBClient.h"
#include "Exceptions.h"
#include "TestErrors.h"
#include "FormatSettings.h"
#include "MorlenTables.h"

#include <QVariantList>
#include <functional>
#include <memory>

using TRows = QList<QVariantList>;

inline void AppendRows(TClientDataSet& table, const TRows& rows) {
    for (const QVariantList& row : rows) {
        table.Append();
        for (int i = 0; i < row.size(); ++i)
            table.FieldAt(i)->SetValue(row[i]);
        table.Post();
    }
    table.First();
}

inline std::unique_ptr<TClientDataSet> MemoryTable(const TFieldDefs& defs, const TRows& rows) {
    auto table = std::make_unique<TClientDataSet>();
    table->CreateDataSet(defs);
    AppendRows(*table, rows);
    return table;
}

// The chosen country's Names rows: Country id, Risk id, Type, Name.
inline std::unique_ptr<TMlNameTable> NamesTable(const TRows& rows) {
    auto source = MemoryTable({{"Country id", TFieldType::ftInteger},
                               {"Risk id", TFieldType::ftInteger},
                               {"Type", TFieldType::ftInteger},
                               {"Name", TFieldType::ftString, 50}},
                              rows);
    auto names = std::make_unique<TMlNameTable>();
    names->LoadPacket(source->Data());
    return names;
}

// Risk factors as the country module looks them up: Risk id, Type, Decimals, UnitName.
inline std::unique_ptr<TClientDataSet> RisksTable(const TRows& rows) {
    return MemoryTable({{"Risk id", TFieldType::ftInteger},
                        {"Type", TFieldType::ftSmallint},
                        {"Decimals", TFieldType::ftSmallint},
                        {"UnitName", TFieldType::ftString, 15}},
                       rows);
}


// Runs the call and tells whether it raised exactly class E (or a subclass).
template <class E>
bool Raises(const std::function<void()>& call) {
    try {
        call();
    } catch (const E&) {
        return true;
    } catch (...) {
    }
    return false;
}
