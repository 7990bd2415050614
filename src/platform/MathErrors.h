#pragma once
// Floating-point failures of the platform's arithmetic, with its messages.

#include "Exceptions.h"

#include <cmath>

class EMathError : public Exception {
public:
    using Exception::Exception;
};

class EZeroDivide : public EMathError {
public:
    EZeroDivide() : EMathError(QStringLiteral("Floating point division by zero")) {}
};

class EInvalidOp : public EMathError {
public:
    EInvalidOp() : EMathError(QStringLiteral("Invalid floating point operation")) {}
};

class EOverflow : public EMathError {
public:
    EOverflow() : EMathError(QStringLiteral("Floating point overflow")) {}
};

// x / y as the platform divides: 0 / 0 is an invalid operation, x / 0 a
// division by zero, and a quotient beyond the range an overflow.
inline double FloatDivide(double x, double y) {
    if (y == 0) {
        if (x == 0 || std::isnan(x))
            throw EInvalidOp();
        throw EZeroDivide();
    }
    const double result = x / y;
    if (std::isinf(result) && std::isfinite(x))
        throw EOverflow();
    return result;
}

// x × y, refusing a product beyond the range.
inline double FloatMultiply(double x, double y) {
    const double result = x * y;
    if (std::isinf(result) && std::isfinite(x) && std::isfinite(y))
        throw EOverflow();
    return result;
}
