#pragma once
// Failures are exceptions of one family carrying the message to show; the
// application's catch at the event loop shows it. EAbort is the silent abort.

#include <QString>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

// An operation refused or cancelled without a message; never reported.
class EAbort : public Exception {
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

[[noreturn]] inline void Abort() { throw EAbort(); }
