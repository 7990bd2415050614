#pragma once
// The system's local SQL dialect, translated to SQLite here and nowhere
// else: "quoted names with blanks", #m/d/yyyy# and "m/d/yyyy" date literals
// (stored date-times are day numbers), True and False, named parameters
// :Name and :"Name with blanks" (bound by position, never pasted into the
// text), and one statement only.

#include <QString>
#include <QStringList>

struct TTranslatedSql {
    QString Text;           // SQLite text with ? parameters
    QStringList ParamNames; // in order of the ? marks (a name may repeat)
    QStringList Tables;     // tables named after FROM and JOIN
    bool IsSelect = false;
};

TTranslatedSql TranslateLocalSql(const QString& sql); // EDatabaseError when malformed

// A text as a quoted literal of local SQL: a caller that must put typed text
// into a statement quotes it with this, so the text stays data.
QString QuotedStr(const QString& text);
