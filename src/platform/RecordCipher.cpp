#include "RecordCipher.h"

#include "Exceptions.h"

void RecordCipher(QByteArray& data, const QByteArray& key, const QByteArray& excluded) {
    const qsizetype n = key.size();
    if (n < 2)
        throw Exception(QStringLiteral("The cipher key must have at least 2 characters"));
    // K is 1-based in the key's own terms; K[0] here is its first byte.
    QByteArray k = key;
    auto K = [&k](qsizetype p) -> unsigned char& { return reinterpret_cast<unsigned char&>(k[p - 1]); };
    qsizetype p = n / 2;
    for (qsizetype i = 0; i < data.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        const unsigned char c =
            static_cast<unsigned char>(b ^ K(p) ^ ((p * K(1)) % 256));
        if (!excluded.contains(static_cast<char>(c)))
            data[i] = static_cast<char>(c);
        // The key evolves for every byte, changed or not, so both directions
        // see the same key stream.
        if (p < n)
            K(p) = static_cast<unsigned char>((K(p) + K(p + 1)) % 256);
        else
            K(p) = static_cast<unsigned char>((K(p) + K(1)) % 256);
        if (++p > n)
            p = 1;
    }
}

QByteArray RecordCiphered(const QByteArray& data, const QByteArray& key, const QByteArray& excluded) {
    QByteArray result = data;
    RecordCipher(result, key, excluded);
    return result;
}
