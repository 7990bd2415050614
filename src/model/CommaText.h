#pragma once
// Comma texts, the platform's list form of a line: items separated by commas
// or by blanks outside double quotes; an item that holds blanks or commas is
// written in double quotes, a double quote inside one doubled.

#include <QString>
#include <QStringList>

// The items of a comma text. Blanks around items are dropped; two commas in
// a row give an empty item, and so does a comma that ends the text.
QStringList SplitCommaText(const QString& text);
