#include "TvPickList.h"

#include "BvExprParser.h"
#include "Conversions.h"
#include "DBClient.h"
#include "FormatSettings.h"
#include "MorlenTables.h"
#include "ParserError.h"

#include <algorithm>
#include <cmath>

namespace {

// A range is meant for a drop-down list; a definition asking for more values
// than anyone can pick from is a typing error, not a list to build.
constexpr double MaxRangeValues = 10000;

// Steps of 0.1 do not add up exactly: a value short of the end by a rounding
// error still belongs to the range.
constexpr double StepTolerance = 1e-9;

// The definitions are read with the expression lexer: blanks separate tokens,
// words, numbers, quoted strings with "'" and "#" codes; every other
// character is a token of its own.
class TDefinitionReader {
public:
    TDefinitionReader(TPickItem& item, const QString& definition) : FItem(item), FParser(definition) {}

    void ReadAll() {
        while (FParser.Token() != toEOF) {
            if (FParser.Token() == '(')
                Range();
            else if (FParser.Token() == '[')
                NamedValue();
            else
                throw EValueError(QStringLiteral("Comma expected"));
            FParser.NextToken();
            if (FParser.Token() == ',')
                FParser.NextToken();
            else if (FParser.Token() != toEOF)
                throw EValueError(QStringLiteral("Comma expected"));
        }
    }

private:
    // "(" from ";" to ";" step ")"
    void Range() {
        FParser.NextToken();
        const double from = Number();
        Demand(';');
        const double to = Number();
        Demand(';');
        double step = Number();
        Demand(')', false);
        // A step of nothing (or going backwards) would never reach the end.
        if (!(step > 0))
            step = 1;
        FItem.Decimals = std::max(0, -int(std::trunc(std::log10(step) - 0.99)));
        const double steps = std::floor((to - from) / step + StepTolerance);
        if (steps + 1 > MaxRangeValues)
            throw EValueError(QStringLiteral("Too many values"));
        for (int i = 0; i <= int(steps); ++i) {
            double value = from + i * step;
            if (std::fabs(value) < step * StepTolerance)
                value = 0; // no "-0.0" from a rounding error
            const QString text = FloatToStrFixed(value, FItem.Decimals);
            FItem.Values << text;
            FItem.Source << text;
        }
    }

    // "[" text ";" number "]"
    void NamedValue() {
        FParser.NextToken();
        QString text;
        while (FParser.Token() != ';') {
            if (FParser.Token() == toEOF)
                throw EValueError(QStringLiteral("String expected"));
            text += FParser.TokenString();
            FParser.NextToken();
        }
        FParser.NextToken();
        const double value = Number();
        Demand(']', false);
        FItem.Values << text;
        FItem.Source << FloatToStr(value);
    }

    // The number at the current token, which it passes. Numbers are always
    // written with a point, whatever separator the texts use.
    double Number() {
        bool negative = false;
        if (FParser.Token() == '-') {
            negative = true;
            FParser.NextToken();
        }
        double value = 0;
        bool valid = false;
        if (FParser.Token() == toInteger) {
            int64_t integer = 0;
            valid = TryStrToInt64(FParser.TokenString(), integer);
            value = double(integer);
        } else if (FParser.Token() == toFloat) {
            valid = TryDataToFloat(FParser.TokenString(), value);
        }
        if (!valid || !std::isfinite(value))
            throw EValueError(QStringLiteral("Number expected"));
        FParser.NextToken();
        return negative ? -value : value;
    }

    // The separator the platform lexer demands, with its message.
    void Demand(char16_t separator, bool pass = true) {
        if (FParser.Token() != separator)
            throw EParserError(QStringLiteral("''%1'' expected on line %2").arg(QChar(separator)).arg(FParser.SourceLine()));
        if (pass)
            FParser.NextToken();
    }

    TPickItem& FItem;
    TExprParser FParser;
};

// ASCII letters in upper case, every other character as it is: positions
// in the result are positions in the text.
QString AsciiUpper(const QString& text) {
    QString result = text;
    for (QChar& c : result)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return result;
}

} // namespace

// --- TPickItem ---

QChar TPickItem::ListSeparator() const {
    const auto* list = static_cast<const TPickList*>(Collection());
    return list ? list->Separator() : FormatSettings().DecimalSeparator;
}

void TPickItem::Parse(const QString& definition) {
    // The texts of the list are written with its separator.
    TDecimalSeparatorScope separator(ListSeparator());
    TDefinitionReader(*this, definition).ReadAll();
}

QString TPickItem::ValueToText(double x) const {
    if (RiskType == 2) {
        // The named values were written with the list's separator.
        const qsizetype at = Source.indexOf(FloatToStr(x, ListSeparator()));
        return at >= 0 && at < Values.size() ? Values[at] : QStringLiteral("0");
    }
    return FloatToStrFixed(x, std::clamp(Decimals, 0, 18));
}

double TPickItem::TextToValue(const QString& text) const {
    if (RiskType == 2) {
        for (qsizetype i = 0; i < Values.size() && i < Source.size(); ++i)
            if (QString::compare(Values[i], text, Qt::CaseInsensitive) == 0)
                return StrToFloat(Source[i], ListSeparator());
        return 0;
    }
    QString number = text;
    if (!StoreUnit.isEmpty()) {
        const qsizetype at = AsciiUpper(text).indexOf(AsciiUpper(StoreUnit));
        if (at >= 0) {
            const QString before = text.left(at).trimmed();
            if (!before.isEmpty())
                number = before;
        }
    }
    return StrToFloat(number);
}

// --- TPickList ---

TPickList::TPickList() : FSeparator(FormatSettings().DecimalSeparator) {}

TPickItem& TPickList::AddItem(int riskId, const QString& definition, const QString& unit, int decimals, int type) {
    TPickItem& item = AddRisk(riskId);
    item.RiskType = type;
    item.Decimals = decimals;
    item.StoreUnit = unit;
    try {
        item.Parse(definition);
    } catch (...) {
        RaisePrefixed(IntToStr(riskId) + QStringLiteral(": "));
    }
    return item;
}

void TPickList::Load(TMlTypeTable* names, TDataSet* risks) {
    Clear();
    // The country's unit texts (type 3) from a view of their own, so that the
    // given view can be restricted to the definitions.
    TClientDataSet units;
    units.SetData(names->Data());
    names->SetSelectType(2);

    const int count = names->RecordCount();
    for (int i = 0; i < count; ++i) {
        QVariant countryId;
        int riskId = 0;
        QString definition;
        names->WithRecord(i, [&] {
            countryId = names->FieldByName(QStringLiteral("Country id"))->Value();
            riskId = names->FieldByName(QStringLiteral("Risk id"))->AsInteger();
            definition = names->FieldByName(QStringLiteral("Name"))->AsString();
        });
        int type = 0, decimals = 0;
        QString unit;
        const QVariant risk = risks->Lookup(QStringLiteral("Risk id"), riskId, QStringLiteral("Type;Decimals;UnitName"));
        if (risk.isValid()) {
            const QVariantList columns = risk.toList();
            type = columns.value(0).toInt();
            decimals = columns.value(1).toInt();
            unit = units.Lookup(QStringLiteral("Country id;Risk id;Type"), QVariantList{countryId, riskId, 3},
                                QStringLiteral("Name"))
                       .toString();
            if (unit.isEmpty())
                unit = columns.value(2).toString();
        }
        AddItem(riskId, definition, unit, decimals, type);
    }
}
