#pragma once
// Answers the next modal window as a user would, from a timer, and records
// what it showed. With TAVLO_GRAB_DIR set the window is saved there as a
// picture first. The answer stops when the object goes, so a window that
// never comes leaves nothing behind.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

class TModalAnswer : public QObject {
public:
    // `act` gets the modal window; by default Enter is pressed.
    explicit TModalAnswer(std::function<void(QWidget*)> act = {}, QString grabName = {}) {
        auto* timer = new QTimer(this);
        timer->setInterval(5);
        connect(timer, &QTimer::timeout, this, [this, timer, act, grabName, waited = 0]() mutable {
            QWidget* window = QApplication::activeModalWidget();
            if (!window)
                return;
            // A slow machine shows the window before it gives a button the
            // focus; a user sees it only then. Give up waiting after a second.
            QWidget* focus = QApplication::focusWidget();
            if ((!focus || !window->isAncestorOf(focus)) && ++waited < 200)
                return;
            timer->stop();
            Shown = true;
            Caption = window->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(window)) {
                Text = box->text();
                Icon = box->icon();
                for (QAbstractButton* button : box->buttons())
                    Buttons << button->text();
                if (auto* focus = qobject_cast<QAbstractButton*>(QApplication::focusWidget()))
                    Focused = focus->text();
            }
            if (!grabName.isEmpty() && !qEnvironmentVariableIsEmpty("TAVLO_GRAB_DIR"))
                window->grab().save(qEnvironmentVariable("TAVLO_GRAB_DIR") + '/' + grabName + ".png");
            if (act)
                act(window);
            else
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, Qt::Key_Return);
        });
        timer->start();
    }

    static std::function<void(QWidget*)> Key(Qt::Key key) {
        return [key](QWidget* window) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, key);
        };
    }
    static std::function<void(QWidget*)> Click(const QString& buttonText) {
        return [buttonText](QWidget* window) {
            for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
                if (button->text() == buttonText) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    return;
                }
        };
    }

    bool Shown = false;
    QString Caption, Text, Focused;
    QStringList Buttons;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};
