#include "ModalAnswer.h"

#include "TestGrab.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace {
// Long enough for a slow, busy machine to close a window it was told to.
constexpr qint64 CloseWithinMs = 5000;
} // namespace

TModalAnswer::TModalAnswer(TAct act, QString grabName)
    : FAct(std::move(act)), FGrabName(std::move(grabName)), FTimer(new QTimer(this)) {
    FTimer->setInterval(5);
    connect(FTimer, &QTimer::timeout, this, &TModalAnswer::Poll);
    FTimer->start();
}

TModalAnswer::TModalAnswer(QWidget* window, TAct act) : TModalAnswer(std::move(act)) {
    FHasTarget = true;
    FTarget = window;
}

void TModalAnswer::Poll() {
    if (FAnswered) {
        if (!FWindow || !FWindow->isVisible()) {
            FTimer->stop();
            return;
        }
        if (FSinceAnswer.elapsed() < CloseWithinMs)
            return;
        FTimer->stop();
        QTest::qFail(qPrintable(QStringLiteral("the modal window \"%1\" stayed open after the answer")
                                    .arg(FWindow->windowTitle())),
                     __FILE__, __LINE__);
        if (auto* dialog = qobject_cast<QDialog*>(FWindow.data()))
            dialog->reject();
        else
            FWindow->close();
        return;
    }
    QWidget* window = !FHasTarget                          ? QApplication::activeModalWidget()
                      : FTarget && FTarget->isVisible() ? FTarget.data()
                                                        : nullptr;
    if (!window)
        return;
    // A slow machine shows the window before it gives a button the focus; a
    // user sees it only then. Give up waiting after a second.
    QWidget* focus = QApplication::focusWidget();
    if ((!focus || !window->isAncestorOf(focus)) && ++FWaited < 200)
        return;
    Answer(window);
}

void TModalAnswer::Answer(QWidget* window) {
    FAnswered = true;
    FWindow = window;
    FSinceAnswer.start();
    Shown = true;
    Caption = window->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
        Text = box->text();
        Icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            Buttons << button->text();
        if (auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget()))
            Focused = focused->text();
    }
    GrabWindow(window, FGrabName);
    if (FAct)
        FAct(window);
    else
        Key(Qt::Key_Return)(window);
}

TModalAnswer::TAct TModalAnswer::Key(Qt::Key key) {
    return [key](QWidget* window) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, key);
    };
}

TModalAnswer::TAct TModalAnswer::Click(const QString& buttonText) {
    return [buttonText](QWidget* window) {
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->text() == buttonText) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        QTest::qFail(qPrintable(QStringLiteral("the modal window has no button \"%1\"").arg(buttonText)), __FILE__,
                     __LINE__);
    };
}
