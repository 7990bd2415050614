#pragma once
// The byte code of the expression language and the machine's value stack,
// both growable byte streams. Multi-byte integers are little-endian.

#include "BvExprNode.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <cstring>
#include <vector>

// Operands are little-endian; this platform reads them in place.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "code operands are read in place");

// The opcode numbers are part of the code format; keep them.
enum TExprOpcode : uint8_t {
    opConst = 0,
    opLoad = 1,
    opStore = 2,
    opDup = 3,
    opDrop = 4,
    opCall = 5,
    opCallFunc = 6,
    opParam = 7,
    opJumpFalse = 8,
    opJump = 9,
    opPower = 10,
    opMul = 11,
    opDiv = 12,
    opIntDiv = 13,
    opMod = 14,
    opAdd = 15,
    opSub = 16,
    opEq = 17,
    opGt = 18,
    opLt = 19,
    opGe = 20,
    opLe = 21,
    opNe = 22,
    opAnd = 23,
    opOr = 24,
    opNot = 25,
    opEnd = 26,
    opDebug = 27,
};

class TExprStream {
public:
    virtual ~TExprStream() = default;
    virtual void Reset() = 0;

    int Size() const { return int(FBuffer.size()); }
    int Position() const { return FPosition; }
    void SetPosition(int position) { FPosition = position; }
    const uint8_t* Memory() const { return FBuffer.data(); }

protected:
    friend class TBvExprMain; // the machine's inner loop works on the buffers directly
    // Makes room for `count` bytes at the position; the buffer at least doubles.
    void Grow(int count);
    std::vector<uint8_t> FBuffer;
    int FPosition = 0;
};

// Compiled code. Variable and function references are 4-byte indexes into
// the component's variable list and its source's function list.
class TExprCode : public TExprStream {
public:
    static constexpr int InitialSize = 250;

    TExprCode() { Reset(); }
    // Position 0, 250 bytes of opEnd.
    void Reset() override;
    // One more opEnd byte lies behind the buffer, so that the machine may read
    // an opcode at any position up to Size() without a test.
    int Size() const { return int(FBuffer.size()) - 1; }

    // --- writing (compiler) ---
    void WriteByte(uint8_t value);
    void WriteInt32(int32_t value);
    void WriteDouble(double value);
    // 16-bit length in bytes, then the text as UTF-16LE.
    void WriteString(const QString& text);
    void PatchInt32(int at, int32_t value);
    // opConst, the number type and the double.
    static constexpr int NumberConstSize = 10;
    // True, with its value, when a number constant starts at `at`.
    bool NumberConstAt(int at, double& value) const;
    // Drops what was written from `size` on: it reads as the end again.
    void Truncate(int size);
    // The end of what the compiler wrote (the rest of the buffer is opEnd).
    int CodeSize() const { return FCodeSize; }

    // --- reading (stack machine); a malformed operand fails, never reads out of bounds ---
    uint8_t ReadOpcode() {
        FOpcode = FPosition >= 0 && FPosition < Size() ? FBuffer[size_t(FPosition++)] : uint8_t(opEnd);
        return FOpcode;
    }
    uint8_t Opcode() const { return FOpcode; }
    uint8_t PeekByte() {
        Need(1);
        return FBuffer[size_t(FPosition)];
    }
    uint8_t ReadByte() {
        Need(1);
        return FBuffer[size_t(FPosition++)];
    }
    int32_t ReadInt32() { return ReadValue<int32_t>(); }
    double ReadDouble() { return ReadValue<double>(); }
    // Jumps: a target outside the code is refused.
    void Jump(int32_t target) {
        if (target < 0 || target > Size())
            JumpError(target);
        FPosition = target;
    }

    // Constant readers: each checks the type byte it is given by the code.
    // The text stays in the code buffer; `data` points into it, not
    // necessarily aligned: copy it bytewise.
    void ReadStringConst(const char16_t*& data, int& length);
    double ReadNumberConst();
    bool ReadBooleanConst();
    // The text of the text constant read last at run time; empty before the first.
    QString LastStringConst() const;

private:
    friend class TBvExprMain;
    template <typename T> T ReadValue() {
        Need(int(sizeof(T)));
        T v;
        std::memcpy(&v, FBuffer.data() + FPosition, sizeof(T));
        FPosition += int(sizeof(T));
        return v;
    }
    void Need(int count) {
        if (FPosition < 0 || count > Size() - FPosition)
            TruncatedError();
    }
    [[noreturn]] static void TruncatedError();
    [[noreturn]] static void JumpError(int32_t target);
    void Write(const void* data, int count);

    int FCodeSize = 0;
    uint8_t FOpcode = opEnd;
    int FLastStringAt = -1; // offset of the last text constant's length field
    int FLastStringBytes = 0;
    QString FLastStringKept; // kept over a Reset
};

// The value stack: values back to back, each followed by its type byte.
// A text is its UTF-16 characters, a 16-bit character count and type 0.
class TExprStack : public TExprStream {
public:
    static constexpr int InitialSize = 500;
    static constexpr int MaxTextLength = 65535;

    TExprStack() { Reset(); }
    void Reset() override;
    void Clear() { FPosition = 0; }

    TDataType TopType() const {
        return FPosition == 0 ? dtEmpty : TDataType(FBuffer[size_t(FPosition - 1)]);
    }
    bool IsEmpty() const { return FPosition == 0; }
    // The type of the value below the topmost one (dtEmpty when there is none).
    TDataType SecondType() const;

    void PushNumber(double value) {
        if (FPosition + 9 > int(FBuffer.size()))
            Grow(9);
        std::memcpy(FBuffer.data() + FPosition, &value, 8);
        FBuffer[size_t(FPosition + 8)] = dtNumber;
        FPosition += 9;
    }
    void PushBoolean(bool value) {
        if (FPosition + 2 > int(FBuffer.size()))
            Grow(2);
        FBuffer[size_t(FPosition)] = value ? 1 : 0;
        FBuffer[size_t(FPosition + 1)] = dtBoolean;
        FPosition += 2;
    }
    void PushString(const char16_t* data, qsizetype length);
    void PushString(const QString& text) { PushString(reinterpret_cast<const char16_t*>(text.constData()), text.size()); }
    // An empty value fails with "Can't push an empty node".
    void PushNode(const TDataNode& node);

    // Typed pops check the top type first.
    double PopNumber() {
        if (TopType() != dtNumber)
            TypeError(dtNumber);
        FPosition -= 9;
        double value;
        std::memcpy(&value, FBuffer.data() + FPosition, 8);
        return value;
    }
    bool PopBoolean() {
        if (TopType() != dtBoolean)
            TypeError(dtBoolean);
        FPosition -= 2;
        return FBuffer[size_t(FPosition)] != 0;
    }
    QString PopString();
    // Pops by the top type; an empty stack gives the empty value.
    TDataNode PopNode();
    void PopNode(TDataNode& node);
    // Pops the topmost value and discards it.
    void Drop();
    // Pushes the topmost value once more; an empty stack fails as PushNode.
    void Dup();

    // The two topmost values, both texts, become one (left then right),
    // in place.
    void Concat();

private:
    [[noreturn]] static void TypeError(TDataType wanted);
    [[noreturn]] static void TooLongError();
    int TopStringLength() const;
    int TopSize() const;
};
