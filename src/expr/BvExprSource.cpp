#include "BvExprSource.h"

#include "CodePages.h"
#include "Conversions.h"
#include "DateTime.h"
#include "FormatSettings.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

void WriteToStream(std::FILE* stream, const QString& text) {
    QByteArray bytes = text.toUtf8();
    bytes += '\n';
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) != size_t(bytes.size()))
        throw Exception(QStringLiteral("I/O error: the text could not be written"));
}

// Positions and counts are whole numbers of any size; text positions fit in an int.
qsizetype Clamped(int64_t value) {
    return qsizetype(std::clamp<int64_t>(value, -1, int64_t(1) << 40));
}

QString NumToStr(double x) { return FloatToStr(double(ExprRound(x * 100)) / 100); }

QString StrCopy(const QString& s, int64_t from, int64_t count) {
    qsizetype start = std::max<qsizetype>(Clamped(from), 1) - 1;
    if (count <= 0 || start >= s.size())
        return QString();
    return s.mid(start, std::min<qsizetype>(Clamped(count), s.size() - start));
}

QString StrDelete(QString s, int64_t index, int64_t count) {
    if (index < 1 || index > s.size() || count <= 0)
        return s;
    qsizetype start = qsizetype(index - 1);
    s.remove(start, std::min<qsizetype>(Clamped(count), s.size() - start));
    return s;
}

QString StrInsert(const QString& sub, QString s, int64_t index) {
    qsizetype at = std::clamp<qsizetype>(Clamped(index), 1, s.size() + 1) - 1;
    s.insert(at, sub);
    return s;
}

QString IndexChar(int64_t n) {
    int64_t code = n <= 9 ? 48 + n : 55 + n;
    code = ((code % 256) + 256) % 256; // one 8-bit character
    return code < 128 ? QString(QChar(char16_t(code))) : AnsiToStr(QByteArray(1, char(code)));
}

// Case by the letters' own partners, one character for one and within the
// ANSI code page that texts are stored in: a character without such a
// partner stays as it is (ß, whose capital is two letters; µ, whose capital
// is Greek).
QString ChangeCase(QString s, bool upper) {
    static const QString ansi = [] {
        QByteArray all(256, 0);
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        return AnsiToStr(all);
    }();
    for (QChar& c : s) {
        const QChar partner = upper ? c.toUpper() : c.toLower();
        if (partner != c && ansi.contains(partner))
            c = partner;
    }
    return s;
}

// Beyond 15 integer digits a number has no further digits to show, and
// written out it would run to hundreds of characters: the general form
// (1E300) instead.
QString DecToStr(double x, int64_t decimals) {
    if (std::fabs(x) >= 1e15)
        return FloatToStr(x);
    // More decimals than a double carries say nothing.
    return FormatNumber(x, int(std::clamp<int64_t>(decimals, 0, 18)));
}

bool IsLetters(const QString& s) {
    for (QChar c : s) {
        char16_t u = c.unicode();
        bool letter = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == 0xC5 || u == 0xC6 ||
                      u == 0xD8 || u == 0xE5 || u == 0xE6 || u == 0xF8;
        if (!letter)
            return false;
    }
    return true;
}

bool IsNum(const QString& s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

} // namespace

TExprTextOutput& ExprWriteLnOutput() {
    static TExprTextOutput output = [](const QString& text) { WriteToStream(stdout, text); };
    return output;
}

TExprTextOutput& ExprDebugOutput() {
    static TExprTextOutput output = [](const QString& text) {
        // A modal box without a screen to show it on would wait for ever.
        const QString platform = QGuiApplication::platformName();
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) &&
            platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
            QMessageBox::information(nullptr, QApplication::applicationDisplayName(), text);
        else
            WriteToStream(stderr, text);
    };
    return output;
}

void ExprWriteLn(const QString& text) {
    if (ExprWriteLnOutput())
        ExprWriteLnOutput()(text);
}

void ExprShowDebug(const QString& text) {
    if (ExprDebugOutput())
        ExprDebugOutput()(text);
}

TBvExprSource::TBvExprSource(QObject* AOwner, bool builtIns) : TComponent(AOwner), FFuncList(this) {
    if (builtIns)
        RegisterBuiltInFunctions();
}

void TBvExprSource::RegisterBuiltInFunctions() {
    TFuncList& f = FFuncList;
    f.AddFunc("NumToStr", 1, [](TVarList& p, TVarItem& r) { r.SetString(NumToStr(p[0].AsNumber())); });
    f.AddFunc("StrToNum", 1, [](TVarList& p, TVarItem& r) { r.SetNumber(StrToFloat(p[0].AsString())); });
    f.AddFunc("WriteLn", 1, [](TVarList& p, TVarItem&) { ExprWriteLn(p[0].GetNode().ToText()); });
    f.AddFunc("Debug", 1, [](TVarList& p, TVarItem&) { ExprShowDebug(p[0].GetNode().ToText()); });
    f.AddFunc("Min", 2, [](TVarList& p, TVarItem& r) {
        double a = p[0].AsNumber(), b = p[1].AsNumber();
        r.SetNumber(a >= b ? b : a);
    });
    f.AddFunc("Max", 2, [](TVarList& p, TVarItem& r) {
        double a = p[0].AsNumber(), b = p[1].AsNumber();
        r.SetNumber(a > b ? a : b);
    });
    f.AddFunc("Time", 0, [](TVarList&, TVarItem& r) {
        r.SetString(FormatDateTime(FormatSettings().LongTimeFormat, Now()));
    });
    f.AddFunc("Date", 0, [](TVarList&, TVarItem& r) { r.SetString(DateToStr(::Date())); });
    f.AddFunc("DecToStr", 2, [](TVarList& p, TVarItem& r) {
        double x = p[0].AsNumber();
        r.SetString(DecToStr(x, p[1].AsInteger()));
    });
    f.AddFunc("StrLength", 1, [](TVarList& p, TVarItem& r) { r.SetNumber(double(p[0].AsString().size())); });
    f.AddFunc("StrCopy", 3, [](TVarList& p, TVarItem& r) {
        r.SetString(StrCopy(p[0].AsString(), p[1].AsInteger(), p[2].AsInteger()));
    });
    f.AddFunc("StrDelete", 3, [](TVarList& p, TVarItem& r) {
        r.SetString(StrDelete(p[0].AsString(), p[1].AsInteger(), p[2].AsInteger()));
    });
    f.AddFunc("StrUpper", 1, [](TVarList& p, TVarItem& r) { r.SetString(ChangeCase(p[0].AsString(), true)); });
    f.AddFunc("StrLower", 1, [](TVarList& p, TVarItem& r) { r.SetString(ChangeCase(p[0].AsString(), false)); });
    f.AddFunc("StrInsert", 3, [](TVarList& p, TVarItem& r) {
        r.SetString(StrInsert(p[0].AsString(), p[1].AsString(), p[2].AsInteger()));
    });
    f.AddFunc("StrCompare", 2, [](TVarList& p, TVarItem& r) {
        r.SetBoolean(QString::compare(p[0].AsString(), p[1].AsString(), Qt::CaseInsensitive) == 0);
    });
    f.AddFunc("IndexChar", 1, [](TVarList& p, TVarItem& r) { r.SetString(IndexChar(p[0].AsInteger())); });
    f.AddFunc("IsLetters", 1, [](TVarList& p, TVarItem& r) { r.SetBoolean(IsLetters(p[0].AsString())); });
    f.AddFunc("IsNum", 1, [](TVarList& p, TVarItem& r) { r.SetBoolean(IsNum(p[0].AsString())); });
}
