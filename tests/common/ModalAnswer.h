#pragma once
// Answers the next modal window as a user would and records what it showed.
// It watches from a timer, so it may be set up before the window opens and
// never misses one that opens late. A window still open a few seconds after
// the answer fails the test and is closed, so a wrong answer ends the test
// at once instead of at the suite's timeout. The answer stops when the
// object goes, so a window that never comes leaves nothing behind.

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class QTimer;

class TModalAnswer : public QObject {
public:
    using TAct = std::function<void(QWidget*)>;

    // `act` gets the modal window; by default Enter is pressed. With a grab
    // name the window is saved as a picture first (TestGrab.h).
    explicit TModalAnswer(TAct act = {}, QString grabName = {});
    // Answers this window once it is shown: a window shown before it runs
    // modally is not the application's modal widget.
    TModalAnswer(QWidget* window, TAct act);

    static TAct Key(Qt::Key key);
    static TAct Click(const QString& buttonText);

    bool Shown = false;
    QString Caption, Text, Focused;
    QStringList Buttons;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;

private:
    void Poll();
    void Answer(QWidget* window);

    TAct FAct;
    QString FGrabName;
    QTimer* FTimer;
    int FWaited = 0;
    bool FAnswered = false;
    QPointer<QWidget> FWindow;
    bool FHasTarget = false;
    QPointer<QWidget> FTarget;
    QElapsedTimer FSinceAnswer;
};
