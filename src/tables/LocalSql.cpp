#include "LocalSql.h"

#include "DataSet.h"
#include "DateTime.h"

#include <QRegularExpression>

QString QuotedStr(const QString& text) {
    QString quoted = text;
    quoted.replace('\'', QStringLiteral("''"));
    return '\'' + quoted + '\'';
}

namespace {

[[noreturn]] void Fail(const QString& sql, const QString& what) {
    throw EDatabaseError(QStringLiteral("Invalid SQL statement: %1.\n%2").arg(what, sql));
}

// "m/d/yyyy" (optionally with a time "h:nn[:ss]") as a day number.
bool DateLiteral(const QString& text, QString& number) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return false;
    TDateTime value;
    if (!TryEncodeDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt(), value))
        return false;
    if (!m.captured(4).isEmpty())
        value += EncodeTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), 0);
    number = QString::number(value, 'g', 17);
    return true;
}

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == '_' || c == '$'; }

const QStringList& ClauseWords() {
    static const QStringList words{"where", "order", "group", "having", "join", "inner", "left", "right",
                                   "outer", "cross", "on", "union", "limit", "natural", "full"};
    return words;
}

} // namespace

TTranslatedSql TranslateLocalSql(const QString& sql) {
    TTranslatedSql result;
    QString& out = result.Text;
    const int n = int(sql.size());
    // Table names follow FROM (a comma list, each with an optional alias) and JOIN.
    enum { None, ExpectTable, AfterTable, AfterAlias } tableState = None;
    bool firstWord = true;
    int i = 0;
    auto noteTable = [&](const QString& name) {
        if (tableState == ExpectTable) {
            result.Tables << name;
            tableState = AfterTable;
        } else if (tableState == AfterTable) {
            tableState = AfterAlias;
        }
    };
    while (i < n) {
        const QChar c = sql[i];
        if (c == '\'') {
            // A text literal: copied as it is ('' stands for ').
            int j = i + 1;
            for (;; ++j) {
                if (j >= n)
                    Fail(sql, QStringLiteral("unterminated text"));
                if (sql[j] == '\'') {
                    if (j + 1 < n && sql[j + 1] == '\'') {
                        ++j;
                        continue;
                    }
                    break;
                }
            }
            out += sql.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == '"') {
            const int j = int(sql.indexOf('"', i + 1));
            if (j < 0)
                Fail(sql, QStringLiteral("unterminated quoted name"));
            const QString content = sql.mid(i + 1, j - i - 1);
            QString number;
            if (DateLiteral(content, number))
                out += number;
            else {
                out += QuoteName(content);
                noteTable(content);
            }
            i = j + 1;
            continue;
        }
        if (c == '#') {
            const int j = int(sql.indexOf('#', i + 1));
            QString number;
            if (j < 0 || !DateLiteral(sql.mid(i + 1, j - i - 1), number))
                Fail(sql, QStringLiteral("invalid date literal"));
            out += number;
            i = j + 1;
            continue;
        }
        if (c == ':') {
            int j = i + 1;
            QString name;
            if (j < n && sql[j] == '"') {
                const int close = int(sql.indexOf('"', j + 1));
                if (close < 0)
                    Fail(sql, QStringLiteral("unterminated parameter name"));
                name = sql.mid(j + 1, close - j - 1);
                j = close + 1;
            } else {
                while (j < n && IsWordChar(sql[j]))
                    ++j;
                name = sql.mid(i + 1, j - i - 1);
            }
            if (name.isEmpty())
                Fail(sql, QStringLiteral("parameter without a name"));
            result.ParamNames << name;
            out += '?';
            i = j;
            continue;
        }
        if (c == ';') {
            if (!sql.mid(i + 1).trimmed().isEmpty())
                Fail(sql, QStringLiteral("only one statement can be run at a time"));
            i = n;
            continue;
        }
        if (c == '-' && i + 1 < n && sql[i + 1] == '-')
            Fail(sql, QStringLiteral("comments are not allowed"));
        if (c.isLetter() || c == '_') {
            int j = i;
            while (j < n && IsWordChar(sql[j]))
                ++j;
            const QString word = sql.mid(i, j - i);
            const QString lower = word.toLower();
            const bool qualified = i > 0 && sql[i - 1] == '.';
            if (firstWord) {
                result.IsSelect = lower == "select";
                firstWord = false;
            }
            if (!qualified && (lower == "true" || lower == "false"))
                out += lower == "true" ? '1' : '0';
            else
                out += word;
            if (lower == "from" || lower == "join" || lower == "into" || lower == "update")
                tableState = ExpectTable;
            else if (ClauseWords().contains(lower) || lower == "select" || lower == "set" || lower == "values")
                tableState = None;
            else if (!qualified && (j >= n || sql[j] != '.'))
                noteTable(word);
            i = j;
            continue;
        }
        if (c == ',' && (tableState == AfterTable || tableState == AfterAlias))
            tableState = ExpectTable;
        else if (c == '(' && tableState == ExpectTable)
            tableState = None;
        out += c;
        ++i;
    }
    return result;
}
