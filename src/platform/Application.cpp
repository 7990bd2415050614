#include "Application.h"

#include "Exceptions.h"

#include <QMessageBox>

std::function<void(const QString&)> TApplication::OnException;

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        ShowException(e.Message());
    } catch (const std::exception& e) {
        ShowException(QString::fromUtf8(e.what()));
    }
    return false;
}

QString TApplication::ExceptionText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void TApplication::ShowException(const QString& message) {
    const QString text = ExceptionText(message);
    if (OnException) {
        OnException(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok);
    box.exec();
}
