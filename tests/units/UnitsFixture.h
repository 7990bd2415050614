#pragma once
// Small fixtures of the unit tests: a rule table in memory and the message
// of a failing call.

#include "Exceptions.h"
#include "TestErrors.h"
#include "FormatSettings.h"
#include "TableStore.h"
#include "TvUnitCnv.h"

#include <QStringList>
#include <functional>
#include <memory>

// Rules as "Category|FromUnit|ToUnit|Expression" lines.
inline std::unique_ptr<TClientDataSet> RuleTable(const QStringList& rules) {
    auto table = std::make_unique<TClientDataSet>();
    table->CreateDataSet({{"Category", TFieldType::ftString, 30},
                          {"FromUnit", TFieldType::ftString, 15},
                          {"ToUnit", TFieldType::ftString, 15},
                          {"Expression", TFieldType::ftString, 255}});
    for (const QString& rule : rules) {
        const QStringList parts = rule.split('|');
        table->Append();
        for (int i = 0; i < 4; ++i)
            table->FieldAt(i)->SetAsString(parts.value(i));
        table->Post();
    }
    return table;
}


// Number texts of the tests are written with a point and a comma as the
// thousands separator unless a case sets others.
struct TSeparatorsScope {
    TFormatSettings Saved = FormatSettings();
    TSeparatorsScope(QChar decimal, QChar thousands) {
        FormatSettings().DecimalSeparator = decimal;
        FormatSettings().ThousandSeparator = thousands;
    }
    ~TSeparatorsScope() { FormatSettings() = Saved; }
};
