#include "CommaText.h"

namespace {
// Control characters count as blanks, as on the platform.
bool IsBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= ' '; }
} // namespace

QStringList SplitCommaText(const QString& text) {
    QStringList items;
    const qsizetype n = text.size();
    qsizetype at = 0;
    auto skipBlanks = [&] {
        while (at < n && IsBlank(text[at]))
            ++at;
    };
    skipBlanks();
    while (at < n && text[at] != QChar(0)) {
        QString item;
        if (text[at] == '"') {
            // Up to the closing quote; a doubled quote stands for one.
            ++at;
            while (at < n) {
                if (text[at] == '"') {
                    if (at + 1 < n && text[at + 1] == '"') {
                        item += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                item += text[at++];
            }
        } else {
            const qsizetype start = at;
            while (at < n && !IsBlank(text[at]) && text[at] != ',' && text[at] != QChar(0))
                ++at;
            item = text.mid(start, at - start);
        }
        items << item;
        skipBlanks();
        if (at < n && text[at] == ',') {
            if (at + 1 >= n)
                items << QString();
            ++at;
            skipBlanks();
        }
    }
    return items;
}
