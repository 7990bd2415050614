#pragma once
// The application object. Its catch at the event loop shows an error that
// reaches it with the error's message and abandons the operation; the silent
// abort shows nothing. The program goes on in both cases.

#include <QApplication>
#include <functional>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an error's message the way the event loop does.
    static void ShowException(const QString& message);
    // The text the error dialog shows: the message with a closing full stop.
    static QString ExceptionText(const QString& message);

    // Replaces the error dialog (tests, headless runs); empty restores it.
    static std::function<void(const QString& text)> OnException;
};
