#include "BvExprCode.h"

#include <QtEndian>
#include <algorithm>

void TExprStream::Grow(int count) {
    size_t needed = size_t(FPosition) + size_t(count);
    size_t size = std::max<size_t>(FBuffer.size() * 2, needed);
    FBuffer.resize(size);
}

// --- TExprCode ---

void TExprCode::Reset() {
    if (FLastStringAt >= 0) {
        FLastStringKept = LastStringConst();
        FLastStringAt = -1;
    }
    FBuffer.assign(InitialSize + 1, uint8_t(opEnd));
    FPosition = 0;
    FCodeSize = 0;
    FOpcode = opEnd;
}

void TExprCode::Write(const void* data, int count) {
    if (FPosition + count > Size()) {
        // Whatever the compiler does not write reads as the end, the guard
        // byte behind the buffer included.
        size_t size = std::max<size_t>(size_t(Size()) * 2, size_t(FPosition) + size_t(count));
        FBuffer.resize(size + 1, uint8_t(opEnd));
    }
    std::memcpy(FBuffer.data() + FPosition, data, size_t(count));
    FPosition += count;
    FCodeSize = std::max(FCodeSize, FPosition);
}

void TExprCode::WriteByte(uint8_t value) { Write(&value, 1); }

void TExprCode::WriteInt32(int32_t value) {
    uint32_t v = qToLittleEndian(uint32_t(value));
    Write(&v, 4);
}

void TExprCode::WriteDouble(double value) {
    uint64_t v;
    std::memcpy(&v, &value, 8);
    v = qToLittleEndian(v);
    Write(&v, 8);
}

void TExprCode::WriteString(const QString& text) {
    qsizetype bytes = text.size() * 2;
    if (bytes > 0xFFFF)
        throw EExprError(QStringLiteral("String constant too long"));
    uint16_t length = qToLittleEndian(uint16_t(bytes));
    Write(&length, 2);
    for (QChar c : text) {
        uint16_t unit = qToLittleEndian(uint16_t(c.unicode()));
        Write(&unit, 2);
    }
}

void TExprCode::PatchInt32(int at, int32_t value) {
    uint32_t v = qToLittleEndian(uint32_t(value));
    std::memcpy(FBuffer.data() + at, &v, 4);
}

bool TExprCode::NumberConstAt(int at, double& value) const {
    if (at < 0 || at + NumberConstSize > FCodeSize || FBuffer[size_t(at)] != opConst ||
        FBuffer[size_t(at + 1)] != dtNumber)
        return false;
    uint64_t v;
    std::memcpy(&v, FBuffer.data() + at + 2, 8);
    v = qFromLittleEndian(v);
    std::memcpy(&value, &v, 8);
    return true;
}

void TExprCode::Truncate(int size) {
    std::fill(FBuffer.begin() + size, FBuffer.begin() + FCodeSize, uint8_t(opEnd));
    FCodeSize = size;
    FPosition = size;
}

void TExprCode::TruncatedError() {
    throw EExprError(QStringLiteral("Malformed code: an operand runs past the end of the code"));
}

void TExprCode::JumpError(int32_t target) {
    throw EExprError(QStringLiteral("Malformed code: jump target %1 is outside the code").arg(target));
}

void TExprCode::ReadStringConst(const char16_t*& data, int& length) {
    if (ReadByte() != dtString)
        throw EExprError(QStringLiteral("Const string expected"));
    int at = FPosition;
    Need(2);
    uint16_t bytes;
    std::memcpy(&bytes, FBuffer.data() + FPosition, 2);
    bytes = qFromLittleEndian(bytes);
    FPosition += 2;
    if (bytes % 2 != 0)
        TruncatedError();
    Need(bytes);
    data = reinterpret_cast<const char16_t*>(FBuffer.data() + FPosition);
    length = bytes / 2;
    FPosition += bytes;
    FLastStringAt = at;
    FLastStringBytes = bytes;
}

double TExprCode::ReadNumberConst() {
    if (ReadByte() != dtNumber)
        throw EExprError(QStringLiteral("Const number expected"));
    return ReadDouble();
}

bool TExprCode::ReadBooleanConst() {
    if (ReadByte() != dtBoolean)
        throw EExprError(QStringLiteral("Const boolean expected"));
    return ReadByte() != 0;
}

QString TExprCode::LastStringConst() const {
    if (FLastStringAt < 0)
        return FLastStringKept;
    QString text(FLastStringBytes / 2, Qt::Uninitialized);
    std::memcpy(text.data(), FBuffer.data() + FLastStringAt + 2, size_t(FLastStringBytes));
    return text;
}

// --- TExprStack ---

void TExprStack::Reset() {
    FBuffer.assign(InitialSize, 0);
    FPosition = 0;
}

void TExprStack::TooLongError() {
    throw EExprError(QStringLiteral("Text value too long for the expression stack (more than %1 characters)")
                         .arg(MaxTextLength));
}

void TExprStack::PushString(const char16_t* data, qsizetype length) {
    if (length > MaxTextLength)
        TooLongError();
    int bytes = int(length) * 2;
    if (FPosition + bytes + 3 > int(FBuffer.size()))
        Grow(bytes + 3);
    std::memcpy(FBuffer.data() + FPosition, data, size_t(bytes));
    FPosition += bytes;
    uint16_t count = uint16_t(length);
    std::memcpy(FBuffer.data() + FPosition, &count, 2);
    FBuffer[size_t(FPosition + 2)] = dtString;
    FPosition += 3;
}

void TExprStack::PushNode(const TDataNode& node) {
    switch (node.Type) {
    case dtString:
        PushString(node.Text);
        break;
    case dtNumber:
        PushNumber(node.Number);
        break;
    case dtBoolean:
        PushBoolean(node.Boolean);
        break;
    default:
        throw EExprError(QStringLiteral("Can't push an empty node"));
    }
}

void TExprStack::TypeError(TDataType wanted) {
    switch (wanted) {
    case dtString:
        throw EExprError(QStringLiteral("No string value on the stack"));
    case dtNumber:
        throw EExprError(QStringLiteral("No number value on the stack"));
    default:
        throw EExprError(QStringLiteral("No boolean value on the stack"));
    }
}

int TExprStack::TopStringLength() const {
    uint16_t count;
    std::memcpy(&count, FBuffer.data() + FPosition - 3, 2);
    return count;
}

QString TExprStack::PopString() {
    if (TopType() != dtString)
        TypeError(dtString);
    // Values lie back to back: the characters need not be aligned.
    int length = TopStringLength();
    FPosition -= 3 + 2 * length;
    QString text(length, Qt::Uninitialized);
    std::memcpy(text.data(), FBuffer.data() + FPosition, size_t(2 * length));
    return text;
}

void TExprStack::PopNode(TDataNode& node) {
    switch (TopType()) {
    case dtString:
        node.Text = PopString();
        node.Type = dtString;
        break;
    case dtNumber:
        node.Number = PopNumber();
        node.Type = dtNumber;
        break;
    case dtBoolean:
        node.Boolean = PopBoolean();
        node.Type = dtBoolean;
        break;
    default:
        node.Type = dtEmpty;
        break;
    }
}

TDataNode TExprStack::PopNode() {
    TDataNode node;
    PopNode(node);
    return node;
}

int TExprStack::TopSize() const {
    switch (TopType()) {
    case dtString:
        return 3 + 2 * TopStringLength();
    case dtNumber:
        return 9;
    case dtBoolean:
        return 2;
    default:
        return 0;
    }
}

TDataType TExprStack::SecondType() const {
    int below = FPosition - TopSize();
    return below == FPosition || below == 0 ? dtEmpty : TDataType(FBuffer[size_t(below - 1)]);
}

void TExprStack::Drop() { FPosition -= TopSize(); }

void TExprStack::Dup() {
    int size = TopSize();
    if (size == 0)
        throw EExprError(QStringLiteral("Can't push an empty node"));
    if (FPosition + size > int(FBuffer.size()))
        Grow(size);
    std::memcpy(FBuffer.data() + FPosition, FBuffer.data() + FPosition - size, size_t(size));
    FPosition += size;
}

void TExprStack::Concat() {
    int right = TopStringLength();
    int rightStart = FPosition - 3 - 2 * right;
    int leftEnd = rightStart - 3; // the left text's length field
    uint16_t left;
    std::memcpy(&left, FBuffer.data() + leftEnd, 2);
    int total = int(left) + right;
    if (total > MaxTextLength)
        TooLongError();
    std::memmove(FBuffer.data() + leftEnd, FBuffer.data() + rightStart, size_t(2 * right));
    FPosition = leftEnd + 2 * right;
    uint16_t count = uint16_t(total);
    std::memcpy(FBuffer.data() + FPosition, &count, 2);
    FBuffer[size_t(FPosition + 2)] = dtString;
    FPosition += 3;
}
