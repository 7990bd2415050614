#include "BvGauge.h"

#include "BvDictionary.h"
#include "BvTranslator.h"
#include "BvUtils.h"
#include "Conversions.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// The information area holds at least this many lines (two levels with
// caption and text) and this many average characters, whatever the font.
constexpr int InfoLines = 4;
constexpr int InfoChars = 40;
// Past this, doubles no longer hold every integer: the done part of the
// deeper levels is then carried as a fraction.
constexpr double ExactLimit = 9007199254740992.0; // 2^53

QStringList SplitLines(const QString& info) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return info.isEmpty() ? QStringList() : info.split(breaks);
}
} // namespace

// ---------------------------------------------------------------- TBvGaugeForm

TBvGaugeForm::TBvGaugeForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("BvGaugeForm"));
    setWindowModality(Qt::ApplicationModal);
    setSizeGripEnabled(false);

    InfoLabel = new QLabel(this);
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    InfoLabel->setTextFormat(Qt::PlainText);
    InfoLabel->setWordWrap(false);
    InfoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    RemainingLabel = new QLabel(this);
    RemainingLabel->setObjectName(QStringLiteral("RemainingLabel"));
    RemainingLabel->setTextFormat(Qt::PlainText);
    // Its line stays reserved: the window must not jump when an estimate
    // comes or goes.
    QSizePolicy keep = RemainingLabel->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    RemainingLabel->setSizePolicy(keep);
    RemainingLabel->hide();

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(true);
    // The percentage is the program's own text, not the locale's.
    ProgressBar->setFormat(IntToStr(0) + QLatin1Char('%'));

    StopButton = new QPushButton(QStringLiteral("&Stop"), this);
    StopButton->setObjectName(QStringLiteral("StopButton"));
    StopButton->setDefault(true);
    StopButton->setAutoDefault(true);
    connect(StopButton, &QPushButton::clicked, this, [this] { PressStop(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(StopButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(7, 7, 7, 7);
    layout->setSpacing(6);
    layout->addWidget(InfoLabel);
    layout->addWidget(RemainingLabel);
    layout->addWidget(ProgressBar);
    layout->addLayout(buttons);
    // A dialog border: the window takes the size of its contents.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitInfoLabel(0);

    Translator = new TBvTranslator(this);
    Translator->SetName(QStringLiteral("Translator"));
    TranslateForm();
    if (TBvDictionary* dictionary = Translator->Dictionary())
        connect(dictionary, &TBvDictionary::LanguageChanged, this, [this] { TranslateForm(); });
    StopButton->setFocus();
}

void TBvGaugeForm::TranslateForm() { Translator->Translate(this); }

void TBvGaugeForm::PressStop() {
    if (FStopPressed)
        return;
    FStopPressed = true;
    // The operation ends at its next look at Stopped; the button shows that
    // the request was taken.
    StopButton->setEnabled(false);
}

void TBvGaugeForm::reject() { PressStop(); }

void TBvGaugeForm::closeEvent(QCloseEvent* event) {
    // The operation owns the window: closing it asks the operation to stop.
    PressStop();
    event->ignore();
}

void TBvGaugeForm::showEvent(QShowEvent* event) {
    if (!FCentred) {
        FCentred = true;
        Centre();
    }
    QDialog::showEvent(event);
}

void TBvGaugeForm::Centre() {
    if (QLayout* own = layout())
        own->activate();
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

void TBvGaugeForm::FitInfoLabel(int lines) {
    // The designed area, or more where the font is larger than designed
    // for (large fonts, a high font DPI). It grows when a text needs more
    // lines and never shrinks, so the window stays calm while it runs.
    const QFontMetrics metrics(InfoLabel->font());
    const int width = qMax(InfoWidth, InfoChars * metrics.averageCharWidth());
    const int height = std::max({InfoHeight, qMax(InfoLines, lines) * metrics.lineSpacing(), InfoLabel->height()});
    if (InfoLabel->minimumSize() == QSize(width, height))
        return;
    const QPoint centre = geometry().center();
    InfoLabel->setFixedSize(width, height);
    if (isVisible()) {
        layout()->activate();
        move(pos() + centre - geometry().center());
    }
}

void TBvGaugeForm::GaugeUpdate(TBvGauge* Sender) {
    const QStringList lines = SplitLines(Sender->InfoText());
    FitInfoLabel(int(lines.size()));
    // A line wider than the area loses its middle (a folder path keeps its
    // start and its file name); the whole text is the tool tip then.
    const QFontMetrics metrics(InfoLabel->font());
    QStringList shown;
    bool elided = false;
    for (const QString& line : lines) {
        shown << metrics.elidedText(line, Qt::ElideMiddle, InfoLabel->width());
        elided = elided || shown.last() != line;
    }
    InfoLabel->setText(shown.join(QLatin1Char('\n')));
    InfoLabel->setToolTip(elided ? lines.join(QLatin1Char('\n')) : QString());

    // One paint for the whole change below: the bar would paint itself at
    // once.
    const int percent = qBound(0, Sender->Percent(), 100);
    ProgressBar->setUpdatesEnabled(false);
    ProgressBar->setValue(percent);
    ProgressBar->setFormat(IntToStr(percent) + QLatin1Char('%'));
    ProgressBar->setUpdatesEnabled(true);

    const int64_t remaining = Sender->RemainingMs();
    if (remaining >= 0) {
        RemainingLabel->setText(RemainingTimeText(remaining));
        RemainingLabel->show();
    } else {
        RemainingLabel->hide();
    }
    if (isVisible())
        repaint();
}

// ---------------------------------------------------------------- TBvGauge

TBvGauge::TBvGauge(QWidget* owner, TBvGaugeEvent handler, const QString& caption)
    : FCaption(caption), FOnUpdate(std::move(handler)) {
    FClock.start();
    FLastRefresh = -RefreshInterval;
    FLastProcess = -RefreshInterval;
    if (FOnUpdate)
        return;
    FWindow = new TBvGaugeForm(owner);
    FWindow->setWindowTitle(FCaption);
    FWindow->ProgressBar->setValue(0);
    // A change that came too soon after the last refresh is shown when the
    // interval is over, even when no further step comes.
    FPendingTimer = std::make_unique<QTimer>();
    FPendingTimer->setSingleShot(true);
    FPendingTimer->setInterval(RefreshInterval);
    QObject::connect(FPendingTimer.get(), &QTimer::timeout, [this] {
        if (FWindow)
            Refresh(Now());
    });
    Show();
}

TBvGauge::~TBvGauge() {
    FPendingTimer.reset();
    delete FWindow.data();
}

void TBvGauge::BeginLevel(const QString& caption, int count) {
    if (FLevels.empty())
        FStartTime = Now();
    auto level = std::make_unique<TBvGaugeLevel>();
    level->Parent = Top();
    level->Caption = caption;
    level->Count = count;
    FLevels.push_back(std::move(level));
    Update();
}

void TBvGauge::EndLevel() {
    if (!FLevels.empty())
        FLevels.pop_back();
}

void TBvGauge::Step(int number, const QString& text) {
    TBvGaugeLevel* top = Top();
    if (!top)
        return;
    top->Position = number - 1;
    top->Text = text;
    Update();
}

bool TBvGauge::Stopped() const { return FStopped || (FWindow && FWindow->StopPressed()); }

QString TBvGauge::InfoText() const {
    QStringList lines;
    for (const auto& level : FLevels) {
        if (!level->Caption.isEmpty())
            lines << level->Caption;
        if (!level->Text.isEmpty())
            lines << level->Text;
    }
    return lines.join(QStringLiteral("\r\n"));
}

namespace {
// The done part of the stack as done / total in items of the innermost
// level: exact in integers for every realistic operation, so that 37.5
// percent is 37.5 and rounds to even. A level is never more than done nor
// less than begun: a step past the count (or before the first) must not
// spill into the enclosing level's share and move the bar backwards later.
void DoneOfTotal(const std::vector<std::unique_ptr<TBvGaugeLevel>>& levels, double& done, double& total) {
    done = 0;
    total = 1;
    for (const auto& level : levels) {
        const bool known = level->Count > 0;
        const int count = known ? level->Count : 1;
        const int position = known ? qBound(0, level->Position, count) : 1;
        done = done * count + position;
        total = total * count;
        if (total > ExactLimit) {
            done /= total;
            total = 1;
        }
    }
}
} // namespace

double TBvGauge::Fraction() const {
    if (FLevels.empty())
        return 0;
    double done, total;
    DoneOfTotal(FLevels, done, total);
    return done / total;
}

int TBvGauge::Percent() const {
    if (FLevels.empty())
        return 0;
    double done, total;
    DoneOfTotal(FLevels, done, total);
    return int(Round(100.0 * done / total));
}

int64_t TBvGauge::RemainingMs() const {
    if (FLevels.empty())
        return -1;
    const int64_t elapsed = Now() - FStartTime;
    const double fraction = Fraction();
    if (elapsed < EstimateAfterMs || fraction < EstimateAfterFraction || fraction >= 1)
        return -1;
    return Round(double(elapsed) * (1 - fraction) / fraction);
}

void TBvGauge::Show() {
    if (!FWindow)
        return;
    FWindow->show();
    // Painted now, before the operation's first step.
    if (!FProcessing) {
        FProcessing = true;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        FProcessing = false;
    }
}

void TBvGauge::Hide() {
    if (FWindow)
        FWindow->hide();
}

void TBvGauge::Update() {
    if (FOnUpdate) {
        FOnUpdate(this);
        return;
    }
    if (!FWindow)
        return;
    const int64_t now = Now();
    // Painting every step would cost a tight loop more than its own work:
    // the window is refreshed at once when the last refresh is
    // RefreshInterval ms ago, else when that time is over.
    if (now - FLastRefresh >= RefreshInterval)
        Refresh(now);
    else if (!FPendingTimer->isActive())
        FPendingTimer->start();
    if (now - FLastProcess >= RefreshInterval)
        ProcessEvents(now);
}

void TBvGauge::Refresh(int64_t now) {
    if (FPendingTimer)
        FPendingTimer->stop();
    FLastRefresh = now;
    FWindow->GaugeUpdate(this);
}

void TBvGauge::ProcessMessages() {
    const int64_t now = Now();
    if (now - FLastProcess >= RefreshInterval)
        ProcessEvents(now);
}

void TBvGauge::ProcessEvents(int64_t now) {
    // Not again from within an event it processes (a step made by a timer).
    if (FProcessing)
        return;
    FProcessing = true;
    FLastProcess = now;
    // User input only while the modal window blocks every other window.
    const bool modal = FWindow && FWindow->isVisible();
    QCoreApplication::processEvents(modal ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    FProcessing = false;
}

QString RemainingTimeText(int64_t ms) {
    QString time;
    if (ms < 60000) {
        time = FormatText(TranslateText(QStringLiteral("%s s")), {IntToStr(qMax<int64_t>(1, (ms + 999) / 1000))});
    } else {
        const int64_t minutes = qMax<int64_t>(1, Round(double(ms) / 60000.0));
        if (minutes < 60)
            time = FormatText(TranslateText(QStringLiteral("%s min")), {IntToStr(minutes)});
        else
            time = FormatText(TranslateText(QStringLiteral("%s h %s min")),
                              {IntToStr(minutes / 60), IntToStr(minutes % 60)});
    }
    return FormatText(TranslateText(QStringLiteral("Time left: about %s")), {time});
}
