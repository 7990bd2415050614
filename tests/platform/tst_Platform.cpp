#include "Application.h"
#include "CodePages.h"
#include "Component.h"
#include "Exceptions.h"
#include "Keyboard.h"
#include "TestMain.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
// Raises from inside an event handler, as a button's click handler would.
class TThrowingObject : public QObject {
public:
    std::function<void()> Action;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            Action();
        return QObject::event(e);
    }
};
} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void codePageRoundTrip_data() {
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("1252") << "CP1252" << QByteArray("\xE6\xF8\xE5\xC6\xD8\xC5");
        QTest::newRow("850") << "CP850" << QByteArray("\x91\x9B\x86\x92\x9D\x8F");
        QTest::newRow("865") << "CP865" << QByteArray("\x91\x9B\x86\x92\x9D\x8F");
    }
    void codePageRoundTrip() {
        QFETCH(QString, codePage);
        QFETCH(QByteArray, bytes);
        const QString danish = QString::fromUtf8("æøåÆØÅ");
        QByteArray name = codePage.toLatin1();
        QCOMPARE(EncodeCodePage(danish, name), bytes);
        QCOMPARE(DecodeCodePage(bytes, name), danish);
        const QString mixed = QString::fromUtf8("Søren Ærø, Åbenrå 12");
        QCOMPARE(DecodeCodePage(EncodeCodePage(mixed, name), name), mixed);
    }

    void codePageDefaultsAndUnmappable() {
        QCOMPARE(OemCodePage(), QByteArray("CP850"));
        QCOMPARE(StrToOem(QString::fromUtf8("Ø")), QByteArray("\x9D"));
        QCOMPARE(OemToStr(QByteArray("\x9D")), QString::fromUtf8("Ø"));
        QCOMPARE(StrToAnsi(QString::fromUtf8("€ Ω")), QByteArray("\x80 ?"));
        QCOMPARE(AnsiToStr(QByteArray("\x80")), QString::fromUtf8("€"));
        SetOemCodePage("CP865");
        QCOMPARE(StrToOem(QString::fromUtf8("ø")), QByteArray("\x9B"));
        SetOemCodePage("CP850");
        try {
            EncodeCodePage("x", "NO-SUCH-PAGE");
            QFAIL("no error raised");
        } catch (const Exception& e) {
            QVERIFY(e.Message().contains("NO-SUCH-PAGE"));
        }
    }

    void componentOwnershipNameTag() {
        QPointer<TComponent> child;
        {
            TComponent owner;
            child = new TComponent(&owner);
            child->SetName("RiskTable");
            child->SetTag(3);
            auto* button = new QPushButton(nullptr);
            button->setParent(nullptr);
            SetComponentTag(button, 2);
            QCOMPARE(ComponentTag(button), 2);
            delete button;
            QCOMPARE(owner.ComponentCount(), 1);
            QCOMPARE(child->Owner(), &owner);
            QCOMPARE(child->Tag(), 3);
            QCOMPARE(owner.FindComponent("risktable"), child.data());
            QCOMPARE(owner.FindComponent("Other"), nullptr);
        }
        QVERIFY(child.isNull()); // the owner freed it
    }

    void eventLoopCatch_data() {
        QTest::addColumn<bool>("abort");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("error shown with full stop") << false << "Key violation"
                                                    << QStringList{"Key violation."};
        QTest::newRow("full stop kept") << false << "Key violation." << QStringList{"Key violation."};
        QTest::newRow("abort is silent") << true << "" << QStringList{};
    }
    void eventLoopCatch() {
        QFETCH(bool, abort);
        QFETCH(QString, message);
        QFETCH(QStringList, shown);
        // The test main runs on the program's application object, so this is
        // the same catch the event loop goes through.
        QVERIFY(qobject_cast<TApplication*>(qApp));
        QStringList seen;
        TApplication::OnException = [&](const QString& text) { seen << text; };
        TThrowingObject target;
        target.Action = [&] {
            if (abort)
                throw EAbort();
            throw EConvertError(message);
        };
        QEvent event(QEvent::User);
        bool handled = true;
        try {
            handled = qApp->notify(&target, &event);
        } catch (...) {
            QFAIL("the error escaped the catch");
        }
        QVERIFY(!handled);
        // The program goes on: the next event is delivered normally.
        target.Action = [] {};
        QEvent next(QEvent::User);
        QVERIFY(qApp->notify(&target, &next));
        QCOMPARE(seen, shown);
        TApplication::OnException = nullptr;
    }

    void shiftState() {
        SetShiftDownOverride(true);
        QVERIFY(IsShiftDown());
        SetShiftDownOverride(false);
        QVERIFY(!IsShiftDown());
        SetShiftDownOverride(std::nullopt);
        QVERIFY(!IsShiftDown()); // nobody holds Shift in the offscreen platform
    }
};

TAVLO_TEST(TestPlatform);
#include "tst_Platform.moc"
