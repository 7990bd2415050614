#include "BvDictionary.h"
#include "BvGauge.h"
#include "Conversions.h"
#include "Exceptions.h"
#include "TestGrab.h"
#include "TestMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <memory>

namespace {
QString ShippedDictionary() { return QCoreApplication::applicationDirPath() + "/Tavlo.mld"; }

// The shown lines of the information area.
QStringList Shown(const TBvGaugeForm* form) { return form->InfoLabel->text().split('\n', Qt::SkipEmptyParts); }

// A clock the test moves by hand.
struct TFakeClock {
    int64_t Now = 0;
    std::function<int64_t()> Function() {
        return [this] { return Now; };
    }
};

// Counts the paint events a widget gets.
class TPaintCounter : public QObject {
public:
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
};

// Every control lies inside the window, shows its whole text, and the
// information area has room for its lines.
void CheckLayout(const TBvGaugeForm* form) {
    QVERIFY(form->width() >= 279);
    QVERIFY(form->height() >= 145);
    for (const QWidget* child : form->findChildren<QWidget*>()) {
        if (child->isHidden())
            continue;
        QVERIFY2(form->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
    QVERIFY(form->StopButton->width() >= form->StopButton->sizeHint().width());
    QVERIFY(form->StopButton->height() >= form->StopButton->sizeHint().height());
    QVERIFY(form->ProgressBar->height() >= form->ProgressBar->sizeHint().height());
    const QFontMetrics metrics(form->InfoLabel->font());
    QVERIFY(Shown(form).size() * metrics.lineSpacing() <= form->InfoLabel->height());
    for (const QString& line : Shown(form))
        QVERIFY2(metrics.horizontalAdvance(line) <= form->InfoLabel->width(), qPrintable(line));
    if (!form->RemainingLabel->isHidden())
        QVERIFY2(form->RemainingLabel->width() >= metrics.horizontalAdvance(form->RemainingLabel->text()),
                 qPrintable(form->RemainingLabel->text()));
}
} // namespace

class TestBvGauge : public QObject {
    Q_OBJECT
    std::unique_ptr<TBvDictionary> FDictionary;

    void UseLanguage(const QString& code) {
        FDictionary = std::make_unique<TBvDictionary>();
        FDictionary->SetDictionaryName("MainDictionary");
        FDictionary->SetFileName(ShippedDictionary());
        FDictionary->SetCurrentLanguage(FDictionary->IndexOfLanguageCode(code));
    }

private slots:
    void cleanup() { FDictionary.reset(); }

    // ------------------------------------------------------------ arithmetic

    void nesting_data() {
        // One level opened per count; each level then gets the step number
        // beside it (0: no step, the level stays at position 0).
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<int>("percent");
        QTest::newRow("first item") << QList<int>{10} << QList<int>{1} << 0;
        QTest::newRow("last item") << QList<int>{10} << QList<int>{10} << 90;
        QTest::newRow("past the count") << QList<int>{10} << QList<int>{11} << 100;
        QTest::newRow("far past the count") << QList<int>{10} << QList<int>{25} << 100;
        QTest::newRow("before the first item") << QList<int>{10} << QList<int>{0} << 0;
        QTest::newRow("step 0") << QList<int>{10} << QList<int>{-5} << 0;
        QTest::newRow("unknown count") << QList<int>{0} << QList<int>{0} << 100;
        QTest::newRow("negative count is unknown") << QList<int>{-3} << QList<int>{2} << 100;
        QTest::newRow("4 x 10, 37.5 to even") << QList<int>{4, 10} << QList<int>{2, 6} << 38;
        QTest::newRow("4 x 10, 2.5 to even") << QList<int>{4, 10} << QList<int>{1, 2} << 2;
        QTest::newRow("4 x 10, 7.5 to even") << QList<int>{4, 10} << QList<int>{1, 4} << 8;
        QTest::newRow("4 x 10, inner not stepped") << QList<int>{4, 10} << QList<int>{3, 0} << 50;
        QTest::newRow("inner of unknown count") << QList<int>{4, 0} << QList<int>{2, 0} << 50;
        QTest::newRow("uneven 3 x 7") << QList<int>{3, 7} << QList<int>{2, 4} << 48; // 10/21
        QTest::newRow("three levels") << QList<int>{2, 3, 4} << QList<int>{2, 3, 4} << 96; // 23/24
        QTest::newRow("inner past its count keeps to its share") << QList<int>{4, 10} << QList<int>{1, 15} << 25;
        QTest::newRow("huge counts") << QList<int>{1000000, 1000000, 1000000} << QList<int>{500001, 1, 1} << 50;
    }
    void nesting() {
        QFETCH(QList<int>, counts);
        QFETCH(QList<int>, numbers);
        QFETCH(int, percent);
        int updates = 0;
        TBvGauge gauge(nullptr, [&](TBvGauge*) { ++updates; }, "Test");
        QCOMPARE(gauge.Percent(), 0);
        for (int i = 0; i < counts.size(); ++i) {
            gauge.BeginLevel(QString("Level %1").arg(i), counts.at(i));
            if (numbers.at(i) != 0)
                gauge.Step(numbers.at(i), "item");
        }
        QCOMPARE(gauge.Percent(), percent);
        QVERIFY(gauge.Fraction() >= 0 && gauge.Fraction() <= 1);
        QCOMPARE(updates, counts.size() + int(std::count_if(numbers.begin(), numbers.end(), [](int n) { return n != 0; })));
        while (gauge.LevelCount() > 0)
            gauge.EndLevel();
        QCOMPARE(gauge.Percent(), 0);
    }

    // Two levels of 4 and 10 items: the bar of the window runs through 40
    // evenly spaced positions, each step one fortieth further.
    void fortyPositions() {
        TFakeClock clock;
        TBvGauge gauge(nullptr, {}, "Export");
        gauge.Clock = clock.Function();
        TBvGaugeForm* form = gauge.Window();
        QVERIFY(form);
        QList<double> fractions;
        gauge.BeginLevel("Files", 4);
        for (int file = 1; file <= 4; ++file) {
            gauge.Step(file, QString("File %1").arg(file));
            gauge.BeginLevel("Patients", 10);
            for (int patient = 1; patient <= 10; ++patient) {
                clock.Now += TBvGauge::RefreshInterval;
                gauge.Step(patient, QString("Patient %1").arg(patient));
                const int k = int(fractions.size());
                fractions << gauge.Fraction();
                QCOMPARE(gauge.Fraction(), k / 40.0);
                QCOMPARE(gauge.Percent(), int(Round(2.5 * k)));
                // A step after the refresh interval shows at once.
                QCOMPARE(form->ProgressBar->value(), gauge.Percent());
                QCOMPARE(form->ProgressBar->text(), QString::number(gauge.Percent()) + '%');
            }
            gauge.EndLevel();
        }
        QCOMPARE(fractions.size(), 40);
        clock.Now += TBvGauge::RefreshInterval;
        gauge.Step(5, QString()); // past the last file
        QCOMPARE(gauge.Percent(), 100);
        QCOMPARE(form->ProgressBar->value(), 100);
        gauge.EndLevel();
    }

    // A level ended before its last item: the enclosing level goes on from
    // its own position, and ending reports nothing.
    void endingLevelEarly() {
        int updates = 0;
        TBvGauge gauge(nullptr, [&](TBvGauge*) { ++updates; }, "Delete");
        gauge.BeginLevel("Outer", 4);
        gauge.Step(2, "second");
        gauge.BeginLevel("Inner", 10);
        gauge.Step(3, "third");
        QCOMPARE(gauge.Percent(), 30); // 1/4 + 1/4 * 2/10
        const int before = updates;
        gauge.EndLevel();
        QCOMPARE(updates, before);
        QCOMPARE(gauge.Percent(), 25);
        QCOMPARE(gauge.InfoText(), QString("Outer\r\nsecond"));
        QCOMPARE(gauge.Top()->Caption, QString("Outer"));
        QVERIFY(gauge.Top()->Parent == nullptr);
        gauge.Step(3, "third");
        QCOMPARE(gauge.Percent(), 50);
        gauge.EndLevel();
        // An empty stack: stepping and ending do nothing.
        const int emptyUpdates = updates;
        gauge.Step(1, "nothing");
        gauge.EndLevel();
        QCOMPARE(updates, emptyUpdates);
        QCOMPARE(gauge.LevelCount(), 0);
        QCOMPARE(gauge.InfoText(), QString());
        QCOMPARE(gauge.Percent(), 0);
        QCOMPARE(gauge.RemainingMs(), int64_t(-1));
    }

    // A level opened for a scope is closed when an error leaves it.
    void levelScope() {
        TBvGauge gauge(nullptr, [](TBvGauge*) {}, "Import");
        try {
            TBvGaugeLevelScope outer(gauge, "Outer", 2);
            TBvGaugeLevelScope inner(gauge, "Inner", 3);
            QCOMPARE(gauge.LevelCount(), 2);
            QCOMPARE(gauge.Top()->Parent->Caption, QString("Outer"));
            throw Exception("failed");
        } catch (const Exception&) {
        }
        QCOMPARE(gauge.LevelCount(), 0);
    }

    // ------------------------------------------------------------ text

    void infoText_data() {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("info");
        QTest::newRow("inner without caption") << QStringList{"A", ""} << QStringList{"B", "C"} << "A\r\nB\r\nC";
        QTest::newRow("outer first") << QStringList{"Export", "Patients"} << QStringList{"File 1", "Hansen"}
                                     << "Export\r\nFile 1\r\nPatients\r\nHansen";
        QTest::newRow("all empty") << QStringList{"", ""} << QStringList{"", ""} << "";
        QTest::newRow("caption only") << QStringList{"Deleting"} << QStringList{""} << "Deleting";
        QTest::newRow("three levels, gaps") << QStringList{"", "B", ""} << QStringList{"a", "", "c"} << "a\r\nB\r\nc";
    }
    void infoText() {
        QFETCH(QStringList, captions);
        QFETCH(QStringList, texts);
        QFETCH(QString, info);
        TFakeClock clock;
        TBvGauge gauge(nullptr, {}, "Test");
        gauge.Clock = clock.Function();
        for (int i = 0; i < captions.size(); ++i) {
            gauge.BeginLevel(captions.at(i), 5);
            clock.Now += TBvGauge::RefreshInterval;
            gauge.Step(1, texts.at(i));
        }
        QCOMPARE(gauge.InfoText(), info);
        // The window shows the same lines, every one of them whole.
        QCOMPARE(Shown(gauge.Window()), info.split("\r\n", Qt::SkipEmptyParts));
        CheckLayout(gauge.Window());
        QCOMPARE(gauge.Window()->InfoLabel->toolTip(), QString());
    }

    // A text wider than the window keeps its start and end; the tool tip
    // holds it whole. More lines than the designed area holds make it
    // grow instead of cutting levels off.
    void longInfo() {
        TFakeClock clock;
        TBvGauge gauge(nullptr, {}, "Export");
        gauge.Clock = clock.Function();
        TBvGaugeForm* form = gauge.Window();
        const QString path = "/home/doctor/Documents/Practice exports/2026/December/patients-complete-export.vtq";
        gauge.BeginLevel("Writing", 3);
        clock.Now += TBvGauge::RefreshInterval;
        gauge.Step(1, path);
        const QString shown = Shown(form).value(1);
        QVERIFY(shown != path);
        QVERIFY(shown.startsWith("/home/"));
        QVERIFY(shown.endsWith(".vtq"));
        QCOMPARE(form->InfoLabel->toolTip(), "Writing\n" + path);
        CheckLayout(form);
        const QSize before = form->size();
        for (int i = 0; i < 3; ++i) {
            gauge.BeginLevel(QString("Level %1").arg(i), 2);
            clock.Now += TBvGauge::RefreshInterval;
            gauge.Step(1, QString("Item %1").arg(i));
        }
        QCOMPARE(Shown(form).size(), 8);
        QVERIFY(form->height() > before.height());
        CheckLayout(form);
        GrabWindow(form, "gauge-long");
        // Fewer lines again: the window keeps its size.
        const QSize grown = form->size();
        for (int i = 0; i < 3; ++i)
            gauge.EndLevel();
        clock.Now += TBvGauge::RefreshInterval;
        gauge.Step(2, "short");
        QCOMPARE(form->size(), grown);
        gauge.EndLevel();
    }

    void remainingText_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("a moment") << "en/gb" << qint64(200) << "Time left: about 1 s";
        QTest::newRow("seconds up") << "en/gb" << qint64(37001) << "Time left: about 38 s";
        QTest::newRow("under a minute") << "en/gb" << qint64(59999) << "Time left: about 60 s";
        QTest::newRow("a minute") << "en/gb" << qint64(60000) << "Time left: about 1 min";
        QTest::newRow("minutes to even") << "en/gb" << qint64(150000) << "Time left: about 2 min";
        QTest::newRow("an hour") << "en/gb" << qint64(3570000) << "Time left: about 1 h 0 min";
        QTest::newRow("hours") << "en/gb" << qint64(3 * 3600000 + 25 * 60000) << "Time left: about 3 h 25 min";
        QTest::newRow("da seconds") << "da/dk" << qint64(37001) << "Resterende tid: ca. 38 sek.";
        QTest::newRow("da minutes") << "da/dk" << qint64(600000) << "Resterende tid: ca. 10 min.";
        QTest::newRow("da hours") << "da/dk" << qint64(5400000) << "Resterende tid: ca. 1 t. 30 min.";
    }
    void remainingText() {
        QFETCH(QString, language);
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        UseLanguage(language);
        QCOMPARE(RemainingTimeText(ms), text);
    }

    // The estimate comes once the operation has run long enough and far
    // enough, and goes when it has not or is done.
    void estimate_data() {
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<int>("number"); // step on a level of 100 items
        QTest::addColumn<qint64>("remaining");
        QTest::newRow("too early") << 900 << 51 << qint64(-1);
        QTest::newRow("too little done") << 5000 << 5 << qint64(-1);
        QTest::newRow("just enough") << 1000 << 6 << qint64(19000);
        QTest::newRow("half") << 10000 << 51 << qint64(10000);
        QTest::newRow("stepped past the end") << 10000 << 101 << qint64(-1);
    }
    void estimate() {
        QFETCH(int, elapsed);
        QFETCH(int, number);
        QFETCH(qint64, remaining);
        UseLanguage("en/gb");
        TFakeClock clock;
        clock.Now = 7000; // the operation's clock starts with its level
        TBvGauge gauge(nullptr, {}, "Import");
        gauge.Clock = clock.Function();
        TBvGaugeForm* form = gauge.Window();
        gauge.BeginLevel("Patients", 100);
        clock.Now += elapsed;
        gauge.Step(number, "Hansen");
        QCOMPARE(gauge.RemainingMs(), remaining);
        QCOMPARE(form->RemainingLabel->isHidden(), remaining < 0);
        if (remaining >= 0)
            QCOMPARE(form->RemainingLabel->text(), RemainingTimeText(remaining));
        // Back before the threshold (a new operation): hidden again.
        gauge.EndLevel();
        gauge.BeginLevel("Again", 100);
        clock.Now += TBvGauge::RefreshInterval;
        gauge.Step(number, "Hansen");
        QVERIFY(form->RemainingLabel->isHidden());
        CheckLayout(form);
        gauge.EndLevel();
    }

    // ------------------------------------------------------------ window

    void window() {
        UseLanguage("da/dk");
        auto owner = std::make_unique<QWidget>();
        QPointer<TBvGaugeForm> form;
        {
            TBvGauge gauge(owner.get(), {}, "Eksporterer");
            form = gauge.Window();
            QVERIFY(form);
            QCOMPARE(form->parentWidget(), owner.get());
            QVERIFY(form->isVisible()); // visible from its creation
            QCOMPARE(form->windowModality(), Qt::ApplicationModal);
            QCOMPARE(QApplication::activeModalWidget(), form.data());
            QCOMPARE(form->windowTitle(), QString("Eksporterer"));
            QCOMPARE(form->ProgressBar->value(), 0);
            QCOMPARE(form->ProgressBar->minimum(), 0);
            QCOMPARE(form->ProgressBar->maximum(), 100);
            QCOMPARE(form->StopButton->text(), QString("&Stop"));
            QVERIFY(form->StopButton->isDefault());
            QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
            QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
            CheckLayout(form);
            gauge.Hide();
            QVERIFY(!form->isVisible());
            gauge.Show();
            QVERIFY(form->isVisible());
            QVERIFY(!gauge.Stopped());
        }
        QVERIFY(form.isNull()); // freed with the gauge
        // An owner freed first takes the window along; the gauge survives it.
        TBvGauge gauge(owner.get(), {}, "Export");
        form = gauge.Window();
        owner.reset();
        QVERIFY(form.isNull());
        gauge.BeginLevel("Level", 2);
        gauge.Step(1, "item");
        gauge.Show();
        QVERIFY(!gauge.Stopped());
        gauge.EndLevel();
    }

    // A gauge with a handler of its own has no window: Show and Hide do
    // nothing and only its own stop flag counts.
    void handlerGauge() {
        QStringList seen;
        TBvGauge gauge(nullptr, [&](TBvGauge* sender) { seen << sender->InfoText(); }, "Own");
        QVERIFY(!gauge.Window());
        QCOMPARE(gauge.Caption(), QString("Own"));
        gauge.Show();
        gauge.Hide();
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!gauge.Stopped());
        gauge.BeginLevel("Copy", 2);
        gauge.Step(1, "first");
        QCOMPARE(seen, (QStringList{"Copy", "Copy\r\nfirst"}));
        gauge.Stop();
        QVERIFY(gauge.Stopped());
        gauge.EndLevel();
        QVERIFY(gauge.Stopped());
    }

    void stopKeys_data() {
        QTest::addColumn<int>("how"); // a key, or 0 for the close box
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("click") << -1;
        QTest::newRow("close box") << 0;
    }
    void stopKeys() {
        QFETCH(int, how);
        TBvGauge gauge(nullptr, {}, "Export");
        TBvGaugeForm* form = gauge.Window();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QVERIFY(!gauge.Stopped());
        if (how > 0)
            QTest::keyClick(form, Qt::Key(how));
        else if (how < 0)
            QTest::mouseClick(form->StopButton, Qt::LeftButton);
        else
            QVERIFY(!form->close());
        QVERIFY(gauge.Stopped());
        // The window stays until the operation ends; Stop stays pressed.
        QVERIFY(form->isVisible());
        QVERIFY(!form->StopButton->isEnabled());
        QTest::keyClick(form, Qt::Key_Escape);
        QVERIFY(gauge.Stopped());
    }

    // ------------------------------------------------------------ running

    // Stop clicked while a loop runs on the GUI thread: the click arrives
    // through the gauge's own event processing, the stop query reports it
    // at the next look and the loop ends there; the bar was painted along.
    void stopDuringLoop() {
        TBvGauge gauge(nullptr, {}, "Export");
        TBvGaugeForm* form = gauge.Window();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        TPaintCounter paints;
        form->ProgressBar->installEventFilter(&paints);
        int clickedAt = -1, step = 0;
        QTimer::singleShot(300, form, [&] {
            clickedAt = step;
            QTest::mouseClick(form->StopButton, Qt::LeftButton);
        });
        QElapsedTimer safety;
        safety.start();
        gauge.BeginLevel("Patients", 100000000);
        volatile double work = 0;
        while (!gauge.Stopped() && safety.elapsed() < 5000) {
            ++step;
            gauge.Step(step, "Patient");
            for (int i = 0; i < 200; ++i)
                work = work + i * 0.5;
        }
        gauge.EndLevel();
        QVERIFY2(clickedAt > 0, "the click never came during the loop");
        QVERIFY(gauge.Stopped());
        QCOMPARE(step, clickedAt); // the loop ends at the step that saw the click
        QVERIFY(paints.Paints >= 2);
    }

    // Events are processed while the loop steps, at most every
    // RefreshInterval ms and not at every step.
    void boundedProcessing() {
        TFakeClock clock;
        TBvGauge gauge(nullptr, {}, "Export");
        gauge.Clock = clock.Function();
        TPaintCounter paints;
        gauge.Window()->InfoLabel->installEventFilter(&paints);
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(0);
        gauge.BeginLevel("Rows", 1000);
        for (int i = 1; i <= 1000; ++i) {
            clock.Now += 1;
            gauge.Step(i, QString::number(i));
        }
        const int rounds = 1000 / TBvGauge::RefreshInterval;
        QVERIFY2(ticks >= rounds - 1 && ticks <= rounds + 1, qPrintable(QString::number(ticks)));
        // Painted along, but not at every step either (the bar moved 100
        // times, the text 1000 times).
        QVERIFY2(paints.Paints >= rounds - 1 && paints.Paints <= rounds + 3, qPrintable(QString::number(paints.Paints)));
        // A loop of its own asking for events is held to the same rate
        // (two intervals long: two rounds).
        ticks = 0;
        for (int i = 0; i < 2 * TBvGauge::RefreshInterval; ++i) {
            clock.Now += 1;
            gauge.ProcessMessages();
        }
        QVERIFY2(ticks >= 1 && ticks <= 3, qPrintable(QString::number(ticks)));
        // The window catches up with a step left waiting.
        gauge.Step(2, "last");
        QTRY_COMPARE(Shown(gauge.Window()).value(1), QString("last"));
        gauge.EndLevel();
    }

    // While the window is shown no other window takes input, so a second
    // operation cannot start inside the first; after it, it can.
    void noSecondOperation() {
        QWidget other;
        auto* start = new QPushButton("Start", &other);
        start->resize(120, 40);
        other.resize(200, 100);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        int started = 0;
        QObject::connect(start, &QPushButton::clicked, [&] { ++started; });
        QWidget* modalDuringLoop = nullptr;
        bool triedDuringLoop = false;
        {
            TBvGauge gauge(&other, {}, "Export");
            TBvGaugeForm* form = gauge.Window();
            QTimer::singleShot(150, form, [&] {
                modalDuringLoop = QApplication::activeModalWidget();
                // As the window system delivers them: a click and the
                // button's key, to the other window.
                QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, start->geometry().center());
                start->setFocus();
                QTest::keyClick(other.windowHandle(), Qt::Key_Space);
                triedDuringLoop = true;
            });
            QTimer::singleShot(400, form, [&] { QTest::mouseClick(form->StopButton, Qt::LeftButton); });
            QElapsedTimer safety;
            safety.start();
            gauge.BeginLevel("Patients", 0);
            for (int step = 1; !gauge.Stopped() && safety.elapsed() < 5000; ++step)
                gauge.Step(step, "Patient");
            gauge.EndLevel();
            QVERIFY(gauge.Stopped());
        }
        QVERIFY(triedDuringLoop);
        QCOMPARE(started, 0);
        QVERIFY(modalDuringLoop != nullptr);
        // The same click reaches the window once the gauge is gone.
        QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, start->geometry().center());
        QTRY_COMPARE(started, 1);
    }

    // The window in the middle of a long operation, in each language, with
    // its estimate: grabbed to be looked at, and every control whole.
    void grabDuringLoop_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("outer");
        QTest::addColumn<QString>("inner");
        QTest::newRow("en") << "en/gb" << "Exporting" << "Complete export" << "Patients";
        QTest::newRow("da") << "da/dk" << "Eksporterer" << "Komplet eksport" << "Patienter";
    }
    void grabDuringLoop() {
        QFETCH(QString, language);
        QFETCH(QString, caption);
        QFETCH(QString, outer);
        QFETCH(QString, inner);
        UseLanguage(language);
        TFakeClock clock;
        TBvGauge gauge(nullptr, {}, caption);
        gauge.Clock = clock.Function();
        TBvGaugeForm* form = gauge.Window();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        bool grabbed = false;
        gauge.BeginLevel(outer, 4);
        for (int table = 1; table <= 4; ++table) {
            gauge.Step(table, QString("Journal (%1/4)").arg(table));
            gauge.BeginLevel(inner, 500);
            for (int row = 1; row <= 500; ++row) {
                clock.Now += 5;
                gauge.Step(row, QString("Sørensen, Åse Marie - %1/500").arg(row));
                if (table == 2 && row == 250 && !grabbed) {
                    QCOMPARE(gauge.Percent(), 37); // 1/4 + 1/4 * 249/500
                    QVERIFY(!form->RemainingLabel->isHidden());
                    CheckLayout(form);
                    GrabWindow(form, "gauge-" + QString(language).replace('/', '-'));
                    grabbed = true;
                }
            }
            gauge.EndLevel();
        }
        gauge.EndLevel();
        QVERIFY(grabbed);
    }
};

TAVLO_TEST(TestBvGauge);
#include "tst_BvGauge.moc"
