#include "Exceptions.h"
#include "RecordCipher.h"
#include "TestMain.h"

#include <QTest>

class TestRecordCipher : public QObject {
    Q_OBJECT
private slots:
    // Vectors worked out by hand from the key schedule: the position starts at
    // n div 2, each byte is XORed with K[p] and (p * K[1]) mod 256, then K[p]
    // grows by its right neighbour (by K[1] at the end) and p moves on.
    void knownVectors_data() {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("enciphered");
        // n = 2: p starts at 1, where K[1] XOR K[1] cancels, so bytes 1 and 3 stay.
        QTest::newRow("two-byte key") << QByteArray("abc") << QByteArray("AB")
                                      << QByteArray::fromHex("612663");
        QTest::newRow("four-byte key") << QByteArray("Tavlo") << QByteArray("KEY1")
                                       << QByteArray::fromHex("87d96b6c23");
        QTest::newRow("empty text") << QByteArray() << QByteArray("KEY1") << QByteArray();
    }
    void knownVectors() {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, enciphered);
        QCOMPARE(RecordCiphered(plain, key), enciphered);
        QCOMPARE(RecordCiphered(enciphered, key), plain);
    }

    void roundTripKeepsLinesWhole() {
        const QByteArray crlf("\r\n");
        const QByteArray key("Xq7#pL");
        QByteArray body;
        for (int i = 0; i < 2000; ++i) {
            const char b = char(i % 256);
            if (b != '\r' && b != '\n')
                body.append(b);
        }
        QByteArray data = body;
        RecordCipher(data, key, crlf);
        QVERIFY(data != body);
        QVERIFY(!data.contains('\r'));
        QVERIFY(!data.contains('\n'));
        RecordCipher(data, key, crlf);
        QCOMPARE(data, body);
    }

    void excludedResultLeavesByteUnchanged() {
        // With KEY1 the first byte's key stream is 0xD3; 0xDE would become CR.
        const QByteArray plain = QByteArray::fromHex("de41");
        QCOMPARE(RecordCiphered(plain, "KEY1").at(0), '\r');
        const QByteArray guarded = RecordCiphered(plain, "KEY1", "\r\n");
        QCOMPARE(guarded.at(0), char(0xDE));
        QCOMPARE(guarded.at(1), RecordCiphered(plain, "KEY1").at(1));
        QCOMPARE(RecordCiphered(guarded, "KEY1", "\r\n"), plain);
    }

    void keyIsNotChanged() {
        const QByteArray key("KEY1");
        QByteArray data("some record body");
        RecordCipher(data, key);
        QCOMPARE(key, QByteArray("KEY1"));
        // The same key again gives the same stream: records decipher on their own.
        QCOMPARE(RecordCiphered("some record body", key), data);
    }

    void shortKeyIsRefused_data() {
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one byte") << QByteArray("K");
    }
    void shortKeyIsRefused() {
        QFETCH(QByteArray, key);
        QByteArray data("abc");
        QVERIFY_THROWS_EXCEPTION(Exception, RecordCipher(data, key));
        QCOMPARE(data, QByteArray("abc"));
    }
};
TAVLO_TEST(TestRecordCipher);

#include "tst_RecordCipher.moc"
