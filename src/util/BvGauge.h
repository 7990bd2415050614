#pragma once
// The progress window of long operations. The gauge keeps a stack of nested
// levels (an operation made of steps, each of them a loop of its own) and
// shows one bar that runs once from 0 to 100 over the whole operation, and
// one information text naming every level. Its window offers Stop; the
// operation asks Stopped() and ends itself: the gauge never interrupts.
//
// The window is refreshed at once after a change, unless its last refresh
// is less than RefreshInterval ms ago: then the change shows when that time
// is over. At the same rate the gauge lets the user interface process
// events while the operation runs on the GUI thread, so the window paints
// and Stop can be pressed without a tight loop being slowed down.
//
// The window is application-modal while it is shown, so nothing but the
// progress window takes user input meanwhile. A window-modal one would still
// let another top-level window (or, for a gauge without owner, every
// window) start a second operation nested inside the first.
//
//   TBvGauge gauge(this, {}, TranslateText("Exporting"));
//   gauge.BeginLevel(TranslateText("Patients"), count);
//   for (int i = 1; i <= count && !gauge.Stopped(); ++i) {
//       gauge.Step(i, name);
//       ...
//   }
//   gauge.EndLevel();

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class TBvGauge;
class TBvTranslator;

using TBvGaugeEvent = std::function<void(TBvGauge* Sender)>;

// One level of the stack.
struct TBvGaugeLevel {
    TBvGaugeLevel* Parent = nullptr; // the enclosing level
    QString Caption;                 // fixed when the level is opened
    QString Text;                    // set with each step
    int Position = 0;                // items of this level already done
    int Count = 0;                   // 0: unknown, the level counts as one item
};

// The window of a gauge: InfoLabel, the remaining-time estimate, the bar and
// Stop. Enter, Escape and the close box press Stop as well; once pressed,
// Stop stays pressed.
class TBvGaugeForm : public QDialog {
    Q_OBJECT
public:
    explicit TBvGaugeForm(QWidget* parent = nullptr);

    QLabel* InfoLabel = nullptr;
    QLabel* RemainingLabel = nullptr; // shown only while there is an estimate
    QProgressBar* ProgressBar = nullptr;
    QPushButton* StopButton = nullptr;
    TBvTranslator* Translator = nullptr;

    bool StopPressed() const { return FStopPressed; }
    // The gauge's state into the controls, painted at once.
    void GaugeUpdate(TBvGauge* Sender);
    void TranslateForm();

    // The designed size of the information area.
    static constexpr int InfoWidth = 265;
    static constexpr int InfoHeight = 65;

protected:
    void reject() override;                    // Escape
    void closeEvent(QCloseEvent* event) override; // the close box
    void showEvent(QShowEvent* event) override;

private:
    void PressStop();
    void FitInfoLabel(int lines);
    void Centre();
    bool FStopPressed = false;
    bool FCentred = false;
};

class TBvGauge {
public:
    // Without a handler the gauge creates its window (owner as parent),
    // captioned `caption`, with the bar at 0, and shows it. With a handler
    // every change goes to the handler and there is no window.
    explicit TBvGauge(QWidget* owner = nullptr, TBvGaugeEvent handler = {}, const QString& caption = QString());
    ~TBvGauge();
    TBvGauge(const TBvGauge&) = delete;
    TBvGauge& operator=(const TBvGauge&) = delete;

    QString Caption() const { return FCaption; }
    TBvGaugeLevel* Top() const { return FLevels.empty() ? nullptr : FLevels.back().get(); }
    int LevelCount() const { return int(FLevels.size()); }
    TBvGaugeForm* Window() const { return FWindow.data(); }

    // Pushes a level (position 0, no text) and reports the change.
    void BeginLevel(const QString& caption, int count);
    // Pops the top level; nothing on an empty stack. Reports nothing.
    void EndLevel();
    // Item `number` (from 1) of the top level begins: position number - 1,
    // its text, and the change reported. Nothing on an empty stack.
    void Step(int number, const QString& text);

    // Stop was asked for: through Stop() or the window's Stop button.
    bool Stopped() const;
    // The gauge's own stop request, for a creator with its own handler and
    // its own Stop control. Never taken back.
    void Stop() { FStopped = true; }

    // Every level's caption and text from the outermost inward, empty ones
    // left out, joined by CR LF.
    QString InfoText() const;
    // The share of the whole operation that is done (0 to 1); 0 with no level.
    double Fraction() const;
    int Percent() const;
    // The estimated time left of the operation in ms, once it has run at
    // least EstimateAfterMs and is at least EstimateAfterFraction done;
    // -1 otherwise. The operation's clock starts with its outermost level.
    int64_t RemainingMs() const;

    void Show();
    void Hide();

    // Lets the user interface process pending events, at most every
    // RefreshInterval ms; for loops that want Stop to work between steps.
    // User input is left waiting unless the gauge's window is shown (and so
    // blocks every other window).
    void ProcessMessages();

    // Milliseconds of a steady clock; the gauge's own clock when empty.
    std::function<int64_t()> Clock;

    static constexpr int RefreshInterval = 100; // ten repaints a second: smooth, and Stop answers at once
    static constexpr int64_t EstimateAfterMs = 1000;
    static constexpr double EstimateAfterFraction = 0.05;

private:
    void Update();
    void Refresh(int64_t now);
    void ProcessEvents(int64_t now);
    int64_t Now() const { return Clock ? Clock() : FClock.elapsed(); }

    QString FCaption;
    std::vector<std::unique_ptr<TBvGaugeLevel>> FLevels;
    TBvGaugeEvent FOnUpdate;
    QPointer<TBvGaugeForm> FWindow;
    bool FStopped = false;
    QElapsedTimer FClock;
    int64_t FStartTime = 0;
    // Own window: when it was last refreshed and events processed, and the
    // timer that catches up a change left waiting.
    int64_t FLastRefresh = 0;
    int64_t FLastProcess = 0;
    bool FProcessing = false;
    std::unique_ptr<QTimer> FPendingTimer;
};

// Opens a level for a scope and closes it again, also when the scope is
// left by an error.
class TBvGaugeLevelScope {
public:
    TBvGaugeLevelScope(TBvGauge& gauge, const QString& caption, int count) : FGauge(gauge) {
        FGauge.BeginLevel(caption, count);
    }
    ~TBvGaugeLevelScope() { FGauge.EndLevel(); }
    TBvGaugeLevelScope(const TBvGaugeLevelScope&) = delete;
    TBvGaugeLevelScope& operator=(const TBvGaugeLevelScope&) = delete;

private:
    TBvGauge& FGauge;
};

// "Time left: about 3 min": the estimate as the window shows it, in the
// current language.
QString RemainingTimeText(int64_t ms);
