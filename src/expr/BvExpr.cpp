#include "BvExpr.h"

#include "FormatSettings.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Calls nest only as deep as the formula's text; malformed code must not
// exhaust the native stack.
constexpr int MaxCallDepth = 256;

[[noreturn]] void MalformedCode(const char* what) {
    throw EExprError(QStringLiteral("Malformed code: %1").arg(QLatin1String(what)));
}

[[noreturn]] void NotTwoNumbers() {
    throw EExprError(QStringLiteral("The stack dosen't contain 2 numbers"));
}

[[noreturn]] void FloatError(double value) {
    if (std::isnan(value))
        throw EExprError(QStringLiteral("Invalid floating point operation"));
    throw EExprError(QStringLiteral("Floating point overflow"));
}

[[noreturn]] void FloatZeroDivide() {
    throw EExprError(QStringLiteral("Floating point division by zero"));
}

// No NaN or infinity ever reaches a variable.
inline double Checked(double value) {
    if (!std::isfinite(value)) [[unlikely]]
        FloatError(value);
    return value;
}

double IntPower(double base, int64_t exponent) {
    bool invert = exponent < 0;
    uint64_t n = invert ? uint64_t(-exponent) : uint64_t(exponent);
    double result = 1;
    while (n) {
        if (n & 1)
            result *= base;
        base *= base;
        n >>= 1;
    }
    if (invert) {
        if (result == 0)
            FloatZeroDivide();
        result = 1 / result;
    }
    return result;
}

double Power(double left, double right) {
    if (right == 0)
        return 1;
    if (left == 0 && right > 0)
        return 0;
    if (right == std::trunc(right) && right >= std::numeric_limits<int32_t>::min() &&
        right <= std::numeric_limits<int32_t>::max())
        return Checked(IntPower(left, int64_t(right)));
    if (left < 0) // no real logarithm
        throw EExprError(QStringLiteral("Invalid floating point operation"));
    if (left == 0)
        FloatZeroDivide();
    // e^(right x ln left), in full precision: 2 ^ 0.5 is the square root of 2.
    return Checked(std::pow(left, right));
}

// Both operands rounded, halves to even; a right operand that rounds to 0
// without being 0 is the platform's integer division error.
void IntOperands(double left, double right, int64_t& l, int64_t& r) {
    l = ExprRound(left);
    r = ExprRound(right);
    if (r == 0)
        throw EExprError(QStringLiteral("Division by zero"));
}

double IntDiv(double left, double right) {
    if (right == 0)
        return 0;
    int64_t l, r;
    IntOperands(left, right, l, r);
    if (r == -1) // -(-2^63) does not fit
        return -double(l);
    return double(l / r);
}

double IntMod(double left, double right) {
    if (right == 0)
        return 0;
    int64_t l, r;
    IntOperands(left, right, l, r);
    if (r == -1)
        return 0;
    return double(l % r);
}

int CompareNodes(const TDataNode& left, const TDataNode& right) {
    if (left.Type == dtString || right.Type == dtString) {
        int c = QString::compare(left.ToText(), right.ToText(), Qt::CaseInsensitive);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (left.Type == dtBoolean || right.Type == dtBoolean)
        return left.ToBoolean() == right.ToBoolean() ? 0 : 1;
    if (left.Type == dtNumber || right.Type == dtNumber) {
        double l = left.ToNumber(), r = right.ToNumber();
        return l < r ? -1 : (l > r ? 1 : 0);
    }
    return 0;
}

bool CompareResult(uint8_t opcode, int c) {
    switch (opcode) {
    case opEq:
        return c == 0;
    case opNe:
        return c != 0;
    case opLt:
        return c < 0;
    case opGt:
        return c > 0;
    case opLe:
        return c <= 0;
    default: // opGe
        return c >= 0;
    }
}

const QString& ParamName(int index) {
    static std::vector<QString> names;
    while (int(names.size()) <= index)
        names.push_back(QString::number(names.size() + 1));
    return names[size_t(index)];
}

const QString& ResultName() {
    static const QString name = QStringLiteral("Result");
    return name;
}

struct TFlagGuard {
    explicit TFlagGuard(bool& flag) : FFlag(flag) {
        if (FFlag)
            throw EExprError(QStringLiteral("The expression is already running"));
        FFlag = true;
    }
    ~TFlagGuard() { FFlag = false; }
    bool& FFlag;
};

} // namespace

struct TBvExprMain::TCallFrame {
    TVarList Params;
    TVarItem Result;
    std::vector<std::unique_ptr<TNameItem>> Spare;
};

TBvExprMain::TBvExprMain(QObject* AOwner) : TComponent(AOwner), FVarList(this) {}

TBvExprMain::~TBvExprMain() = default;

void TBvExprMain::SetExpressionText(const QString& text) {
    FExpression = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    // A final line end does not start another line.
    if (FExpression.size() > 1 && FExpression.last().isEmpty())
        FExpression.removeLast();
}

// --- compiling ---

void TBvExprMain::Compile() {
    TFlagGuard running(FRunning);
    // Formula constants are always written with a point.
    TDecimalSeparatorScope separator(QLatin1Char('.'));
    QString text;
    for (const QString& line : FExpression) {
        text += line;
        text += QLatin1String("\r\n");
    }
    try {
        TExprParser parser(text);
        FStack.Reset();
        FCode.Reset();
        FVarList.Clear();
        FCodeSource = FSource;
        PrepareVariables();
        TExprCompiler compiler(parser, FCode, FVarList, FSource ? &FSource->FuncList() : nullptr);
        compiler.CompileAll();
    } catch (...) {
        // Half-compiled code has unpatched jumps (to 0: an endless loop);
        // leave nothing to run.
        FCode.Reset();
        throw;
    }
}

void TBvExprResult::Compile() {
    FResultItem = nullptr;
    TBvExprMain::Compile();
    FResultItem = &VarList().FindOrAdd(QStringLiteral("RESULT"));
}

TVarItem& TBvExprResult::Evaluate() {
    if (!FResultItem)
        throw EExprError(QStringLiteral("The formula is not compiled"));
    Execute();
    return *FResultItem;
}

// --- running ---

void TBvExprMain::Execute() {
    TFlagGuard running(FRunning);
    FCode.SetPosition(0);
    FStack.Clear();
    FCallDepth = 0;
    Run(false);
}

TVarItem& TBvExprMain::VarAt(int32_t index) {
    if (index < 0 || index >= FVarList.Count()) [[unlikely]]
        MalformedCode("invalid variable reference");
    return FVarList.Items(index);
}

// An empty value leaves the variable unchanged.
void TBvExprMain::PopInto(TVarItem& var) {
    if (FStack.TopType() != dtEmpty)
        FStack.PopNode(var.FValue);
}

void TBvExprMain::Run(bool argument) {
    TExprCode& code = FCode;
    TExprStack& stack = FStack;
    for (;;) {
        const uint8_t opcode = code.ReadOpcode();
        switch (opcode) {
        case opEnd:
            return;
        case opParam:
            // Ends one argument; elsewhere it has nothing to do.
            if (argument)
                return;
            break;
        case opConst: {
            uint8_t type = code.PeekByte();
            if (type == dtString) {
                const char16_t* data;
                int length;
                code.ReadStringConst(data, length);
                stack.PushString(data, length);
            } else if (type == dtBoolean) {
                stack.PushBoolean(code.ReadBooleanConst());
            } else {
                stack.PushNumber(code.ReadNumberConst());
            }
            break;
        }
        case opLoad: {
            const TDataNode& node = VarAt(code.ReadInt32()).GetNode();
            if (node.Type == dtNumber)
                stack.PushNumber(node.Number);
            else
                stack.PushNode(node);
            break;
        }
        case opStore: {
            TVarItem& var = VarAt(code.ReadInt32());
            if (stack.TopType() == dtNumber)
                var.SetNumber(stack.PopNumber());
            else
                PopInto(var);
            break;
        }
        case opDup:
            stack.Dup();
            break;
        case opDrop:
            stack.Drop();
            break;
        case opCall:
        case opCallFunc:
            CallFunction(opcode == opCallFunc);
            break;
        case opJumpFalse: {
            int32_t target = code.ReadInt32();
            if (!stack.PopBoolean())
                code.Jump(target);
            break;
        }
        case opJump:
            code.Jump(code.ReadInt32());
            break;
        case opPower:
        case opMul:
        case opDiv:
        case opIntDiv:
        case opMod:
        case opSub: {
            if (stack.TopType() != dtNumber || stack.SecondType() != dtNumber) [[unlikely]]
                NotTwoNumbers();
            double right = stack.PopNumber();
            double left = stack.PopNumber();
            double result;
            switch (opcode) {
            case opPower:
                result = Power(left, right);
                break;
            case opMul:
                result = Checked(left * right);
                break;
            case opDiv:
                result = right == 0 ? 0.0 : Checked(left / right);
                break;
            case opIntDiv:
                result = IntDiv(left, right);
                break;
            case opMod:
                result = IntMod(left, right);
                break;
            default:
                result = Checked(left - right);
                break;
            }
            stack.PushNumber(result);
            break;
        }
        case opAdd: {
            TDataType right = stack.TopType(), left = stack.SecondType();
            if (right == dtNumber || left == dtNumber) {
                if (right != dtNumber || left != dtNumber)
                    NotTwoNumbers();
                double r = stack.PopNumber();
                double l = stack.PopNumber();
                stack.PushNumber(Checked(l + r));
            } else if (right == dtString && left == dtString) {
                stack.Concat();
            } else {
                throw EExprError(QStringLiteral("The stack dosen't contain 2 strings"));
            }
            break;
        }
        case opEq:
        case opGt:
        case opLt:
        case opGe:
        case opLe:
        case opNe: {
            int c;
            if (stack.TopType() == dtNumber && stack.SecondType() == dtNumber) {
                double r = stack.PopNumber();
                double l = stack.PopNumber();
                c = l < r ? -1 : (l > r ? 1 : 0);
            } else {
                stack.PopNode(FRight);
                stack.PopNode(FLeft);
                c = CompareNodes(FLeft, FRight);
            }
            stack.PushBoolean(CompareResult(opcode, c));
            break;
        }
        case opAnd:
        case opOr: {
            stack.PopNode(FRight);
            stack.PopNode(FLeft);
            bool l = FLeft.ToBoolean(), r = FRight.ToBoolean();
            stack.PushBoolean(opcode == opAnd ? (l && r) : (l || r));
            break;
        }
        case opNot:
            stack.PopNode(FRight);
            stack.PushBoolean(!FRight.ToBoolean());
            break;
        case opDebug:
            stack.PopNode(FRight);
            ExprShowDebug(FRight.ToText());
            break;
        default:
            throw EExprError(QStringLiteral("Malformed code: unknown opcode %1").arg(opcode));
        }
    }
}

void TBvExprMain::CallFunction(bool inExpression) {
    int32_t index = FCode.ReadInt32();
    TBvExprSource* source = FCodeSource;
    if (!source) [[unlikely]]
        throw EExprError(QStringLiteral("The functions of the formula are no longer available"));
    if (index < 0 || index >= source->FuncList().Count()) [[unlikely]]
        MalformedCode("invalid function reference");
    const TFuncItem& function = source->FuncList().Items(index);
    if (FCallDepth >= MaxCallDepth) [[unlikely]]
        throw EExprError(QStringLiteral("Expression nested too deeply"));
    if (int(FFrames.size()) <= FCallDepth)
        FFrames.push_back(std::make_unique<TCallFrame>());
    TCallFrame& frame = *FFrames[size_t(FCallDepth)];

    // The parameter list and the result exist for this call only: emptied
    // when it ends, also by a failure.
    struct TFrameGuard {
        TCallFrame& Frame;
        int& Depth;
        ~TFrameGuard() {
            for (int i = 0; i < Frame.Params.Count(); ++i)
                Frame.Params[i].Clear();
            Frame.Result.Clear();
            --Depth;
        }
    };
    ++FCallDepth;
    TFrameGuard guard{frame, FCallDepth};

    const int count = std::max(function.ParamCount, 0);
    frame.Params.Resize(count, frame.Spare);
    for (int i = 0; i < count; ++i) {
        TVarItem& param = frame.Params[i];
        param.Name = ParamName(i);
        param.Clear();
    }
    frame.Result.Name = ResultName();
    frame.Result.Clear();

    for (int i = 0; i < count; ++i) {
        Run(true);
        PopInto(frame.Params[i]);
        if (FCode.Opcode() != opParam)
            throw EExprError(QStringLiteral("Parameter expected"));
    }
    if (!function.ExprFunc)
        throw EExprError(QStringLiteral("Function '%1' has no handler").arg(function.Name));
    function.ExprFunc(frame.Params, frame.Result);
    if (inExpression) {
        const TDataNode& value = frame.Result.GetNode();
        if (value.Type == dtNumber)
            FStack.PushNumber(value.Number);
        else
            FStack.PushNode(value);
    }
}
