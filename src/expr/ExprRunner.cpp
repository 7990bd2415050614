#include "ExprRunner.h"

#include "BvExpr.h"
#include "CodePages.h"
#include "Conversions.h"

#include <QFile>
#include <QIODevice>
#include <QStringDecoder>
#include <utility>

namespace {

struct TSetting {
    QString Name;
    QString Value;
};

struct TOptions {
    bool NoSource = false;
    QList<TSetting> Settings;
    QString File;
};

// Swaps an output hook for the run and puts the old one back afterwards.
class TOutputScope {
public:
    TOutputScope(TExprTextOutput& hook, TExprTextOutput replacement)
        : FHook(hook), FSaved(std::exchange(hook, std::move(replacement))) {}
    ~TOutputScope() { FHook = std::move(FSaved); }

private:
    TExprTextOutput& FHook;
    TExprTextOutput FSaved;
};

void WriteLine(QIODevice& device, const QString& text) {
    QByteArray bytes = text.toUtf8();
    bytes += '\n';
    if (device.write(bytes) != bytes.size())
        throw Exception(QStringLiteral("I/O error: the text could not be written"));
}

bool ParseArguments(const QStringList& arguments, TOptions& options, QString& problem) {
    bool haveFile = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--no-source")) {
            options.NoSource = true;
        } else if (a == QLatin1String("--set")) {
            if (++i >= arguments.size()) {
                problem = QStringLiteral("--set needs NAME=VALUE");
                return false;
            }
            const QString& setting = arguments[i];
            qsizetype eq = setting.indexOf(QLatin1Char('='));
            if (eq <= 0) {
                problem = QStringLiteral("--set needs NAME=VALUE, not \"%1\"").arg(setting);
                return false;
            }
            options.Settings.append({setting.left(eq), setting.mid(eq + 1)});
        } else if (a.startsWith(QLatin1String("--"))) {
            problem = QStringLiteral("unknown option %1").arg(a);
            return false;
        } else if (!haveFile) {
            options.File = a;
            haveFile = true;
        } else {
            problem = QStringLiteral("only one FILE may be given");
            return false;
        }
    }
    if (!haveFile) {
        problem = QStringLiteral("FILE (or - for standard input) is missing");
        return false;
    }
    return true;
}

// Formula files are UTF-8; an older file in the ANSI code page reads too.
QString DecodeFormula(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    return utf8.hasError() ? AnsiToStr(bytes) : text;
}

// VALUE is a number when it reads as one with ".", TRUE or FALSE a boolean,
// anything else text.
TDataNode SettingValue(const QString& value) {
    double number = 0;
    if (TryStrToFloat(value, number, QLatin1Char('.')))
        return TDataNode::FromNumber(number);
    if (value == QLatin1String("TRUE") || value == QLatin1String("FALSE"))
        return TDataNode::FromBoolean(value == QLatin1String("TRUE"));
    return TDataNode::FromString(value);
}

// One line per variable: a backslash, a tab and the line ends in a text
// are written as \\, \t, \n and \r.
QString Escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString VariableLine(const TVarItem& var) {
    const TDataNode& node = var.Node();
    QString type, value;
    switch (node.Type) {
    case dtString:
        type = QStringLiteral("text");
        value = Escaped(node.Text);
        break;
    case dtNumber:
        type = QStringLiteral("number");
        value = FloatToStr(node.Number, QLatin1Char('.'));
        break;
    case dtBoolean:
        type = QStringLiteral("boolean");
        value = node.Boolean ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        break;
    default:
        type = QStringLiteral("empty");
        break;
    }
    return var.Name + QLatin1Char('\t') + type + QLatin1Char('\t') + value;
}

} // namespace

QString ExprCommandUsage() {
    return QStringLiteral("usage: tavlo-cli expr [--no-source] [--set NAME=VALUE]... FILE|-");
}

int RunExprCommand(const QStringList& arguments, QIODevice& input, QIODevice& output,
                   QIODevice& errors) {
    TOptions options;
    QString problem;
    if (!ParseArguments(arguments, options, problem)) {
        WriteLine(errors, QStringLiteral("tavlo-cli expr: ") + problem);
        WriteLine(errors, ExprCommandUsage());
        return 2;
    }
    QByteArray bytes;
    if (options.File == QLatin1String("-")) {
        bytes = input.readAll();
    } else {
        QFile file(options.File);
        if (!file.open(QIODevice::ReadOnly)) {
            WriteLine(output, QStringLiteral("error\tCannot open file \"%1\": %2")
                                  .arg(options.File, file.errorString()));
            return 1;
        }
        bytes = file.readAll();
    }

    TOutputScope writeLn(ExprWriteLnOutput(), [&output](const QString& text) { WriteLine(output, text); });
    TOutputScope debug(ExprDebugOutput(), [&errors](const QString& text) { WriteLine(errors, text); });
    try {
        TBvExprSource source(nullptr, true);
        TBvExprMain formula;
        if (!options.NoSource)
            formula.SetSource(&source);
        formula.SetExpressionText(DecodeFormula(bytes));
        formula.Compile();
        for (const TSetting& setting : options.Settings)
            formula.VarList().SetValue(setting.Name, SettingValue(setting.Value));
        formula.Execute();
        for (int i = 0; i < formula.VarList().Count(); ++i)
            WriteLine(output, VariableLine(formula.VarList().Items(i)));
    } catch (const Exception& e) {
        WriteLine(output, QStringLiteral("error\t") + Escaped(e.Message()));
        return 1;
    } catch (const std::exception& e) {
        WriteLine(output, QStringLiteral("error\t") + Escaped(QString::fromUtf8(e.what())));
        return 1;
    }
    return 0;
}
