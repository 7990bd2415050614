#include "DataFilter.h"

#include <algorithm>

#include "DateTime.h"

namespace {

enum class TTok { End, Name, Number, Text, True, False, And, Or, Op, LParen, RParen };

struct TToken {
    TTok Kind = TTok::End;
    QString Text; // name, text, operator
    double Number = 0;
    int Pos = 0;
};

enum class TClass { Numeric, Text, Logical };

TClass ClassOf(TFieldType type) {
    if (IsTextType(type))
        return TClass::Text;
    if (type == TFieldType::ftBoolean)
        return TClass::Logical;
    return TClass::Numeric;
}

} // namespace

struct TFilterExpr::Node {
    enum Kind { Or, And, Compare, Name, Literal } K;
    QString Op;
    std::unique_ptr<Node> L, R;
    QString FieldName;
    int Slot = -1;
    TFieldType Type = TFieldType::ftUnknown;
    QVariant Value; // literal
    TClass Cls = TClass::Numeric;
    bool IsLogical() const {
        return K == Or || K == And || K == Compare || (Cls == TClass::Logical && (K == Name || K == Literal));
    }
};

namespace {

class TFilterParser {
public:
    explicit TFilterParser(const QString& text) : FText(text) { Advance(); }

    std::unique_ptr<TFilterExpr::Node> ParseAll() {
        auto node = ParseOr();
        if (FTok.Kind != TTok::End)
            Fail(QStringLiteral("unexpected '%1'").arg(TokenText()));
        return node;
    }

private:
    using Node = TFilterExpr::Node;

    [[noreturn]] void Fail(const QString& what) const {
        throw EDatabaseError(QStringLiteral("Invalid filter expression \"%1\": %2 at position %3.")
                                 .arg(FText, what).arg(FTok.Pos + 1));
    }
    QString TokenText() const {
        switch (FTok.Kind) {
        case TTok::End: return QStringLiteral("end of text");
        case TTok::Number: return FText.mid(FTok.Pos, FPos - FTok.Pos);
        default: return FText.mid(FTok.Pos, FPos - FTok.Pos);
        }
    }

    void Advance() {
        const int n = int(FText.size());
        while (FPos < n && FText[FPos].isSpace())
            ++FPos;
        FTok = TToken();
        FTok.Pos = FPos;
        if (FPos >= n)
            return;
        const QChar c = FText[FPos];
        if (c == '[') {
            const int close = int(FText.indexOf(']', FPos + 1));
            if (close < 0)
                Fail(QStringLiteral("missing ']'"));
            FTok.Kind = TTok::Name;
            FTok.Text = FText.mid(FPos + 1, close - FPos - 1).trimmed();
            if (FTok.Text.isEmpty())
                Fail(QStringLiteral("empty field name"));
            FPos = close + 1;
        } else if (c == '\'' || c == '"') {
            QString value;
            int i = FPos + 1;
            for (;; ++i) {
                if (i >= n)
                    Fail(QStringLiteral("unterminated text"));
                if (FText[i] == c) {
                    if (i + 1 < n && FText[i + 1] == c) {
                        value += c;
                        ++i;
                        continue;
                    }
                    break;
                }
                value += FText[i];
            }
            FTok.Kind = TTok::Text;
            FTok.Text = value;
            FPos = i + 1;
        } else if (c.isDigit() || ((c == '.' || c == '-') && FPos + 1 < n && FText[FPos + 1].isDigit())) {
            int i = FPos + 1;
            while (i < n && (FText[i].isDigit() || FText[i] == '.'))
                ++i;
            if (i < n && (FText[i] == 'e' || FText[i] == 'E')) {
                int j = i + 1;
                if (j < n && (FText[j] == '+' || FText[j] == '-'))
                    ++j;
                if (j < n && FText[j].isDigit()) {
                    i = j;
                    while (i < n && FText[i].isDigit())
                        ++i;
                }
            }
            bool ok = false;
            FTok.Number = FText.mid(FPos, i - FPos).toDouble(&ok);
            if (!ok)
                Fail(QStringLiteral("invalid number"));
            FTok.Kind = TTok::Number;
            FPos = i;
        } else if (c.isLetter() || c == '_') {
            int i = FPos + 1;
            while (i < n && (FText[i].isLetterOrNumber() || FText[i] == '_' || FText[i] == '.'))
                ++i;
            FTok.Text = FText.mid(FPos, i - FPos);
            FPos = i;
            const QString lower = FTok.Text.toLower();
            FTok.Kind = lower == "and"     ? TTok::And
                        : lower == "or"    ? TTok::Or
                        : lower == "true"  ? TTok::True
                        : lower == "false" ? TTok::False
                                           : TTok::Name;
        } else if (c == '(' || c == ')') {
            FTok.Kind = c == '(' ? TTok::LParen : TTok::RParen;
            ++FPos;
        } else if (c == '=' || c == '<' || c == '>') {
            FTok.Kind = TTok::Op;
            FTok.Text = c;
            ++FPos;
            if (FPos < n && ((c == '<' && (FText[FPos] == '>' || FText[FPos] == '=')) || (c == '>' && FText[FPos] == '='))) {
                FTok.Text += FText[FPos];
                ++FPos;
            }
        } else {
            Fail(QStringLiteral("unexpected character '%1'").arg(c));
        }
    }

    std::unique_ptr<Node> Binary(Node::Kind kind, std::unique_ptr<Node> l, std::unique_ptr<Node> r) {
        auto node = std::make_unique<Node>();
        node->K = kind;
        node->L = std::move(l);
        node->R = std::move(r);
        return node;
    }

    std::unique_ptr<Node> ParseOr() {
        auto left = ParseAnd();
        while (FTok.Kind == TTok::Or) {
            Advance();
            left = Binary(Node::Or, std::move(left), ParseAnd());
        }
        return left;
    }
    std::unique_ptr<Node> ParseAnd() {
        auto left = ParseCompare();
        while (FTok.Kind == TTok::And) {
            Advance();
            left = Binary(Node::And, std::move(left), ParseCompare());
        }
        return left;
    }
    std::unique_ptr<Node> ParseCompare() {
        auto left = ParseOperand();
        if (FTok.Kind == TTok::Op) {
            const QString op = FTok.Text;
            Advance();
            auto node = Binary(Node::Compare, std::move(left), ParseOperand());
            node->Op = op;
            return node;
        }
        return left;
    }
    std::unique_ptr<Node> ParseOperand() {
        auto node = std::make_unique<Node>();
        switch (FTok.Kind) {
        case TTok::LParen: {
            Advance();
            auto inner = ParseOr();
            if (FTok.Kind != TTok::RParen)
                Fail(QStringLiteral("missing ')'"));
            Advance();
            return inner;
        }
        case TTok::Name:
            node->K = Node::Name;
            node->FieldName = FTok.Text;
            break;
        case TTok::Number:
            node->K = Node::Literal;
            node->Value = FTok.Number;
            node->Cls = TClass::Numeric;
            break;
        case TTok::Text:
            node->K = Node::Literal;
            node->Value = FTok.Text;
            node->Cls = TClass::Text;
            break;
        case TTok::True:
        case TTok::False:
            node->K = Node::Literal;
            node->Value = FTok.Kind == TTok::True;
            node->Cls = TClass::Logical;
            break;
        default:
            Fail(FTok.Kind == TTok::End ? QStringLiteral("operand expected") : QStringLiteral("unexpected '%1'").arg(TokenText()));
        }
        Advance();
        return node;
    }

    QString FText;
    int FPos = 0;
    TToken FTok;
};

} // namespace

TFilterExpr::~TFilterExpr() = default;

std::shared_ptr<TFilterExpr> TFilterExpr::Parse(const QString& text) {
    std::shared_ptr<TFilterExpr> expr(new TFilterExpr);
    expr->FText = text;
    if (!text.trimmed().isEmpty()) {
        TFilterParser parser(text);
        expr->FRoot = parser.ParseAll();
    }
    return expr;
}

void TFilterExpr::Bind(const TFieldDefs& defs, bool caseInsensitive) {
    FDefs = defs;
    FCaseInsensitive = caseInsensitive;
    auto fail = [this](const QString& what) {
        throw EDatabaseError(QStringLiteral("Invalid filter expression \"%1\": %2.").arg(FText, what));
    };
    std::function<void(Node*)> bind = [&](Node* node) {
        switch (node->K) {
        case Node::Name: {
            node->Slot = IndexOfFieldDef(defs, node->FieldName);
            if (node->Slot < 0)
                throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(node->FieldName));
            node->Type = defs[node->Slot].DataType;
            node->Cls = ClassOf(node->Type);
            break;
        }
        case Node::Literal:
            break;
        case Node::And:
        case Node::Or:
            bind(node->L.get());
            bind(node->R.get());
            if (!node->L->IsLogical() || !node->R->IsLogical())
                fail(QStringLiteral("'%1' needs logical operands").arg(node->K == Node::And ? "and" : "or"));
            break;
        case Node::Compare: {
            bind(node->L.get());
            bind(node->R.get());
            Node* l = node->L.get();
            Node* r = node->R.get();
            if (l->K != Node::Name && l->K != Node::Literal)
                fail(QStringLiteral("a comparison cannot compare conditions"));
            if (r->K != Node::Name && r->K != Node::Literal)
                fail(QStringLiteral("a comparison cannot compare conditions"));
            // A date-time field compared with a quoted date reads the text as a date.
            for (auto [field, lit] : {std::pair{l, r}, std::pair{r, l}}) {
                if (field->K == Node::Name && field->Type == TFieldType::ftDateTime && lit->K == Node::Literal &&
                    lit->Cls == TClass::Text) {
                    TDateTime value;
                    if (!TryStrToDate(lit->Value.toString(), value))
                        fail(QStringLiteral("'%1' is not a valid date").arg(lit->Value.toString()));
                    lit->Value = value;
                    lit->Cls = TClass::Numeric;
                }
            }
            const bool compatible = l->Cls == r->Cls || (l->Cls != TClass::Text && r->Cls != TClass::Text);
            if (!compatible)
                fail(QStringLiteral("type mismatch in comparison"));
            break;
        }
        }
    };
    if (FRoot) {
        bind(FRoot.get());
        if (!FRoot->IsLogical())
            fail(QStringLiteral("the expression is not a condition"));
    }
    FBound = true;
}

namespace {

bool IsNullValue(const QVariant& v) { return !v.isValid() || v.isNull(); }

QVariant NodeValue(const TFilterExpr::Node* node, const QVector<QVariant>& data) {
    if (node->K == TFilterExpr::Node::Literal)
        return node->Value;
    return node->Slot < data.size() ? data[node->Slot] : QVariant();
}

} // namespace

bool TFilterExpr::Evaluate(const QVector<QVariant>& data) const {
    if (!FRoot)
        return true;
    std::function<bool(const Node*)> eval = [&](const Node* node) -> bool {
        switch (node->K) {
        case Node::Or: return eval(node->L.get()) || eval(node->R.get());
        case Node::And: return eval(node->L.get()) && eval(node->R.get());
        case Node::Name:
        case Node::Literal: {
            const QVariant v = NodeValue(node, data);
            return !IsNullValue(v) && v.toBool();
        }
        case Node::Compare: {
            const QVariant a = NodeValue(node->L.get(), data);
            const QVariant b = NodeValue(node->R.get(), data);
            if (IsNullValue(a) || IsNullValue(b))
                return false;
            int c;
            if (node->L->Cls == TClass::Text && node->R->Cls == TClass::Text)
                c = QString::compare(a.toString(), b.toString(), FCaseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
            else {
                const double x = a.toDouble(), y = b.toDouble();
                c = x < y ? -1 : (x > y ? 1 : 0);
            }
            const QString& op = node->Op;
            if (op == "=") return c == 0;
            if (op == "<>") return c != 0;
            if (op == "<") return c < 0;
            if (op == ">") return c > 0;
            if (op == "<=") return c <= 0;
            return c >= 0;
        }
        }
        return false;
    };
    return eval(FRoot.get());
}

QString TFilterExpr::ToSql(QVariantList& params, bool& exact) const {
    exact = true;
    if (!FRoot)
        return QStringLiteral("1");
    std::function<QString(const Node*)> sql = [&](const Node* node) -> QString {
        switch (node->K) {
        case Node::Or:
        case Node::And: {
            // Sequenced: the parameters follow the text from left to right.
            const QString left = sql(node->L.get());
            const QString right = sql(node->R.get());
            return '(' + left + (node->K == Node::Or ? " OR " : " AND ") + right + ')';
        }
        case Node::Name: return '(' + QuoteName(FDefs[node->Slot].Name) + " <> 0)";
        case Node::Literal: return node->Value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        case Node::Compare: {
            const Node* l = node->L.get();
            const Node* r = node->R.get();
            const bool text = l->Cls == TClass::Text && r->Cls == TClass::Text;
            if (text && FCaseInsensitive) {
                // SQLite folds only ASCII letters: an equality with an ASCII
                // text can narrow the rows by a COLLATE NOCASE index; the
                // rows found are checked here all the same.
                exact = false;
                const Node* name = l->K == Node::Name ? l : r;
                const Node* literal = l->K == Node::Name ? r : l;
                const QString value = literal->Value.toString();
                if (node->Op != "=" || name->K != Node::Name || literal->K != Node::Literal ||
                    std::any_of(value.begin(), value.end(), [](QChar c) { return c.unicode() >= 0x80; }))
                    return QStringLiteral("1");
                params << value;
                return '(' + QuoteName(FDefs[name->Slot].Name) + QStringLiteral(" = ? COLLATE NOCASE)");
            }
            auto operand = [&](const Node* n) -> QString {
                if (n->K == Node::Name)
                    return QuoteName(FDefs[n->Slot].Name);
                QVariant v = n->Value;
                if (n->Cls == TClass::Logical)
                    v = v.toBool() ? 1 : 0;
                params << v;
                return QStringLiteral("?");
            };
            const QString left = operand(l);
            const QString right = operand(r);
            return '(' + left + ' ' + node->Op + ' ' + right + ')';
        }
        }
        return QStringLiteral("1");
    };
    return sql(FRoot.get());
}
