#pragma once
// What a call raises, as the text a test compares.

#include "Exceptions.h"

#include <QString>
#include <functional>

// The message of the exception the call raises; "no error" when it returns.
inline QString ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}
