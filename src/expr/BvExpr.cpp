#include "BvExpr.h"

#include "BvDictionary.h"
#include "FormatSettings.h"

#include <QCollator>
#include <QLocale>
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
    const double original = base;
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
        if (original == 0)
            FloatZeroDivide();
        // A power that underflowed has its inverse beyond the range (0.1 ^
        // -400) or close to it: the library's power tells which, accurately.
        if (!std::isnormal(result))
            return std::pow(original, double(exponent));
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

// Texts are ordered by the rules of the user's language: the current
// language of the main dictionary, or the primary language (English) when
// there is none. The collator is made again only when the language changes.
const QCollator& TextCollator() {
    static QString language = QStringLiteral("none");
    static QCollator collator;
    const TBvDictionary* dictionary = TBvDictionary::Find(QStringLiteral("MainDictionary"));
    QString wanted = dictionary ? dictionary->LanguageCode(dictionary->CurrentLanguage()) : QString();
    if (wanted.isEmpty())
        wanted = QStringLiteral("en/us");
    if (wanted != language) {
        collator = QCollator(QLocale(QString(wanted).replace(QLatin1Char('/'), QLatin1Char('_'))));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        language = wanted;
    }
    return collator;
}

// Equal is equal ignoring case, as ever; the order of unequal texts is the
// language's (in Danish 'å' comes after 'ø'), by code point where the
// language's rules see no difference.
int CompareTexts(const QString& left, const QString& right) {
    int c = QString::compare(left, right, Qt::CaseInsensitive);
    if (c != 0) {
        const int collated = TextCollator().compare(left, right);
        if (collated != 0)
            c = collated;
    }
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareNodes(const TDataNode& left, const TDataNode& right) {
    if (left.Type == dtString || right.Type == dtString)
        return CompareTexts(left.ToText(), right.ToText());
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
    FStepsLeft = FInstructionBudget;
    Run(false);
}

// An empty value leaves the variable unchanged.
void TBvExprMain::PopInto(TVarItem& var) {
    if (FStack.TopType() != dtEmpty)
        FStack.PopNode(var.FValue);
}

// The inner loop keeps the code and stack positions in locals (registers:
// their address is never taken, hence macros rather than lambdas) and works
// on the buffers directly. Numbers and booleans are handled in place;
// everything else goes through the stream operations, with the positions
// handed over around them.
#define SYNC() (code.FPosition = pc, stack.FPosition = sp)
#define RELOAD()                                                                                   \
    do {                                                                                           \
        vars = FVarList.FItems.data();                                                             \
        varCount = int(FVarList.FItems.size());                                                    \
        cm = code.FBuffer.data();                                                                  \
        csize = code.Size();                                                                       \
        pc = std::clamp(code.FPosition, 0, csize);                                                 \
        sb = stack.FBuffer.data();                                                                 \
        sp = stack.FPosition;                                                                      \
        scap = int(stack.FBuffer.size());                                                          \
    } while (0)
#define OPERAND32(into)                                                                            \
    do {                                                                                           \
        if (csize - pc < 4) [[unlikely]] {                                                         \
            SYNC();                                                                                \
            code.ReadInt32(); /* fails: truncated */                                               \
        }                                                                                          \
        std::memcpy(&(into), cm + pc, 4);                                                          \
        pc += 4;                                                                                   \
    } while (0)
// Only a jump back can make a run endless: it pays the bytes of code it
// goes back over (the code passed again) out of the run's budget.
#define JUMP(target)                                                                               \
    do {                                                                                           \
        int32_t to_ = (target);                                                                    \
        if (to_ < 0 || to_ > csize) [[unlikely]] {                                                 \
            SYNC();                                                                                \
            code.Jump(to_); /* fails: outside the code */                                          \
        }                                                                                          \
        if (to_ < pc) {                                                                            \
            FStepsLeft -= pc - to_;                                                                \
            if (FStepsLeft < 0) [[unlikely]]                                                       \
                goto L_tooLong;                                                                    \
        }                                                                                          \
        pc = to_;                                                                                  \
    } while (0)
#define ROOM(count)                                                                                \
    do {                                                                                           \
        if (sp + (count) > scap) [[unlikely]] {                                                    \
            SYNC();                                                                                \
            stack.Grow(count);                                                                     \
            RELOAD();                                                                              \
        }                                                                                          \
    } while (0)
#define PUSH_NUMBER(value)                                                                         \
    do {                                                                                           \
        double v_ = (value);                                                                       \
        ROOM(9);                                                                                   \
        std::memcpy(sb + sp, &v_, 8);                                                              \
        sb[sp + 8] = dtNumber;                                                                     \
        sp += 9;                                                                                   \
    } while (0)
#define PUSH_BOOLEAN(value)                                                                        \
    do {                                                                                           \
        bool v_ = (value);                                                                         \
        ROOM(2);                                                                                   \
        sb[sp] = v_ ? 1 : 0;                                                                       \
        sb[sp + 1] = dtBoolean;                                                                    \
        sp += 2;                                                                                   \
    } while (0)
// A number's type byte sits 9 bytes below the one of the number above it.
#define TWO_NUMBERS() (sp >= 18 && sb[sp - 1] == dtNumber && sb[sp - 10] == dtNumber)
#define TWO_BOOLEANS() (sp >= 4 && sb[sp - 1] == dtBoolean && sb[sp - 3] == dtBoolean)
#define POP_TWO_NUMBERS(left, right)                                                               \
    do {                                                                                           \
        std::memcpy(&(right), sb + sp - 9, 8);                                                     \
        std::memcpy(&(left), sb + sp - 18, 8);                                                     \
        sp -= 18;                                                                                  \
    } while (0)
// A number result that the next instruction stores goes straight into the
// variable, and a comparison that the next instruction tests decides the jump
// itself: the same effect as pushing and popping, at a fraction of the cost.
// (The peek is safe: pc never passes the guard byte.)
#define STORE_OR_PUSH_NUMBER(value)                                                                \
    do {                                                                                           \
        double r_ = (value);                                                                       \
        int32_t index_;                                                                            \
        if (cm[pc] == opStore && csize - pc >= 5 &&                                                \
            (std::memcpy(&index_, cm + pc + 1, 4), uint32_t(index_) < uint32_t(varCount))) {      \
            pc += 5;                                                                               \
            static_cast<TVarItem*>(vars[index_].get())->SetNumber(r_);                             \
        } else {                                                                                   \
            PUSH_NUMBER(r_);                                                                       \
        }                                                                                          \
    } while (0)
#define JUMP_OR_PUSH_BOOLEAN(value)                                                                \
    do {                                                                                           \
        bool r_ = (value);                                                                         \
        if (cm[pc] == opJumpFalse && csize - pc >= 5) {                                            \
            int32_t target_;                                                                       \
            std::memcpy(&target_, cm + pc + 1, 4);                                                 \
            pc += 5;                                                                               \
            if (!r_)                                                                               \
                JUMP(target_);                                                                     \
        } else {                                                                                   \
            PUSH_BOOLEAN(r_);                                                                      \
        }                                                                                          \
    } while (0)
#define NEXT()                                                                                     \
    do {                                                                                           \
        opcode = cm[pc++];                                                                         \
        goto* labels[opcode];                                                                      \
    } while (0)
// Each operator has its own handler: no second dispatch on the opcode.
#define ARITHMETIC(OPCODE, RESULT)                                                                 \
    L_##OPCODE : {                                                                                 \
        if (!TWO_NUMBERS()) [[unlikely]] {                                                         \
            SYNC();                                                                                \
            NotTwoNumbers();                                                                       \
        }                                                                                          \
        double left, right;                                                                        \
        POP_TWO_NUMBERS(left, right);                                                              \
        STORE_OR_PUSH_NUMBER(RESULT);                                                              \
        NEXT();                                                                                    \
    }
#define COMPARISON(OPCODE)                                                                         \
    L_##OPCODE : {                                                                                 \
        int c;                                                                                     \
        if (TWO_NUMBERS()) {                                                                       \
            double left, right;                                                                    \
            POP_TWO_NUMBERS(left, right);                                                          \
            c = left < right ? -1 : (left > right ? 1 : 0);                                        \
        } else {                                                                                   \
            SYNC();                                                                                \
            stack.PopNode(FRight);                                                                 \
            stack.PopNode(FLeft);                                                                  \
            c = CompareNodes(FLeft, FRight);                                                       \
            RELOAD();                                                                              \
        }                                                                                          \
        JUMP_OR_PUSH_BOOLEAN(CompareResult(OPCODE, c));                                            \
        NEXT();                                                                                    \
    }

void TBvExprMain::Run(bool argument) {
    TExprCode& code = FCode;
    TExprStack& stack = FStack;
    // A handler may add variables to the list: the cache is reloaded with the rest.
    const std::unique_ptr<TNameItem>* vars;
    int varCount;
    const uint8_t* cm;
    int csize, pc;
    uint8_t* sb;
    int sp, scap;
    // Threaded dispatch (labels as values, a GCC extension: the build is GCC):
    // each instruction ends with its own jump to the next, which the
    // processor predicts better than the one jump of a switch.
    static void* labels[256];
    static bool labelsFilled = false;
    if (!labelsFilled) {
        for (void*& label : labels)
            label = &&L_bad;
        void* const known[] = {
            &&L_opConst, &&L_opLoad, &&L_opStore, &&L_opDup, &&L_opDrop, &&L_opCall, &&L_opCallFunc,
            &&L_opParam, &&L_opJumpFalse, &&L_opJump, &&L_opPower, &&L_opMul, &&L_opDiv, &&L_opIntDiv,
            &&L_opMod, &&L_opAdd, &&L_opSub, &&L_opEq, &&L_opGt, &&L_opLt, &&L_opGe, &&L_opLe,
            &&L_opNe, &&L_opAnd, &&L_opOr, &&L_opNot, &&L_opEnd, &&L_opDebug};
        static_assert(sizeof known / sizeof known[0] == opDebug + 1);
        std::copy(std::begin(known), std::end(known), labels);
        labelsFilled = true;
    }
    uint8_t opcode;
    RELOAD();
    // Read without a test: the code buffer has an opEnd byte behind its
    // end, and every operand read keeps pc within the buffer.
    NEXT();

    L_opEnd:
    L_opParam:
        // opParam ends one argument; elsewhere it has nothing to do.
        if (opcode == opEnd || argument) {
            SYNC();
            code.FOpcode = opcode;
            return;
        }
        NEXT();
    L_opConst:
        if (csize - pc >= 9 && cm[pc] == dtNumber) {
            double v;
            std::memcpy(&v, cm + pc + 1, 8);
            pc += 9;
            PUSH_NUMBER(v);
        } else {
            SYNC();
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
            RELOAD();
        }
        NEXT();
    L_opLoad: {
        int32_t index;
        OPERAND32(index);
        if (uint32_t(index) >= uint32_t(varCount)) [[unlikely]] {
            SYNC();
            MalformedCode("invalid variable reference");
        }
        const TVarItem& var = *static_cast<const TVarItem*>(vars[index].get());
        if (var.FValue.Type == dtNumber) {
            PUSH_NUMBER(var.FValue.Number);
        } else {
            SYNC();
            stack.PushNode(var.GetNode());
            RELOAD();
        }
        NEXT();
    }
    L_opStore: {
        int32_t index;
        OPERAND32(index);
        if (uint32_t(index) >= uint32_t(varCount)) [[unlikely]] {
            SYNC();
            MalformedCode("invalid variable reference");
        }
        TVarItem& var = *static_cast<TVarItem*>(vars[index].get());
        if (sp >= 9 && sb[sp - 1] == dtNumber) {
            double v;
            std::memcpy(&v, sb + sp - 9, 8);
            sp -= 9;
            var.SetNumber(v);
        } else {
            SYNC();
            PopInto(var);
            RELOAD();
        }
        NEXT();
    }
    L_opJumpFalse: {
        int32_t target;
        OPERAND32(target);
        if (sp < 2 || sb[sp - 1] != dtBoolean) [[unlikely]] {
            SYNC();
            stack.PopBoolean(); // fails: no boolean
        }
        sp -= 2;
        if (sb[sp] == 0)
            JUMP(target);
        NEXT();
    }
    L_opJump: {
        int32_t target;
        OPERAND32(target);
        JUMP(target);
        NEXT();
    }
    ARITHMETIC(opPower, Power(left, right))
    ARITHMETIC(opMul, Checked(left * right))
    ARITHMETIC(opDiv, right == 0 ? 0.0 : Checked(left / right))
    ARITHMETIC(opIntDiv, IntDiv(left, right))
    ARITHMETIC(opMod, IntMod(left, right))
    ARITHMETIC(opSub, Checked(left - right))
    L_opAdd:
        if (TWO_NUMBERS()) {
            double left, right;
            POP_TWO_NUMBERS(left, right);
            STORE_OR_PUSH_NUMBER(Checked(left + right));
        } else {
            SYNC();
            TDataType right = stack.TopType(), left = stack.SecondType();
            if (right == dtNumber || left == dtNumber)
                NotTwoNumbers();
            if (right != dtString || left != dtString)
                throw EExprError(QStringLiteral("The stack dosen't contain 2 strings"));
            stack.Concat();
            RELOAD();
        }
        NEXT();
    COMPARISON(opEq)
    COMPARISON(opGt)
    COMPARISON(opLt)
    COMPARISON(opGe)
    COMPARISON(opLe)
    COMPARISON(opNe)
    L_opAnd:
    L_opOr: {
        bool left, right;
        if (TWO_BOOLEANS()) {
            right = sb[sp - 2] != 0;
            left = sb[sp - 4] != 0;
            sp -= 4;
        } else {
            SYNC();
            stack.PopNode(FRight);
            stack.PopNode(FLeft);
            right = FRight.ToBoolean();
            left = FLeft.ToBoolean();
            RELOAD();
        }
        PUSH_BOOLEAN(opcode == opAnd ? (left && right) : (left || right));
        NEXT();
    }
    L_opNot:
        SYNC();
        stack.PopNode(FRight);
        RELOAD();
        PUSH_BOOLEAN(!FRight.ToBoolean());
        NEXT();
    L_opDup:
        SYNC();
        stack.Dup();
        RELOAD();
        NEXT();
    L_opDrop:
        SYNC();
        stack.Drop();
        RELOAD();
        NEXT();
    L_opDebug:
        SYNC();
        stack.PopNode(FRight);
        ExprShowDebug(FRight.ToText());
        RELOAD();
        NEXT();
    L_opCall:
    L_opCallFunc:
        SYNC();
        CallFunction(opcode == opCallFunc);
        RELOAD();
        NEXT();
    L_bad:
        SYNC();
        throw EExprError(QStringLiteral("Malformed code: unknown opcode %1").arg(opcode));
    L_tooLong:
        SYNC();
        throw EExprError(QStringLiteral("Formula runs too long"));
}

#undef NEXT
#undef COMPARISON
#undef ARITHMETIC
#undef JUMP_OR_PUSH_BOOLEAN
#undef STORE_OR_PUSH_NUMBER
#undef POP_TWO_NUMBERS
#undef TWO_BOOLEANS
#undef TWO_NUMBERS
#undef PUSH_BOOLEAN
#undef PUSH_NUMBER
#undef ROOM
#undef JUMP
#undef OPERAND32
#undef RELOAD
#undef SYNC

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
