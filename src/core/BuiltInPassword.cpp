#include "BuiltInPassword.h"

#include "RecordCipher.h"

QString BuiltInPassword() {
    // The stored text and key; the record cipher without excluded bytes turns
    // them into the password.
    static const unsigned char stored[6] = {0x4F, 0x93, 0xBF, 0x76, 0xFA, 0x07};
    static const unsigned char key[4] = {0x93, 0x2B, 0x5E, 0xC4};
    const QByteArray text = RecordCiphered(QByteArray(reinterpret_cast<const char*>(stored), 6),
                                           QByteArray(reinterpret_cast<const char*>(key), 4));
    return QString::fromLatin1(text);
}
