// The headless command: tools for model authors that need no window system.

#include "CalcCommand.h"
#include "CheckModelCommand.h"
#include "ExprRunner.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Brovik");
    QCoreApplication::setApplicationName("Tavlo");

    QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    if (command != QLatin1String("expr") && command != QLatin1String("check-model") &&
        command != QLatin1String("calc")) {
        std::fprintf(stderr, "%s\n%s\n%s\n", qPrintable(ExprCommandUsage()), qPrintable(CheckModelCommandUsage()),
                     qPrintable(CalcCommandUsage()));
        return 2;
    }
    QFile input, output, errors;
    input.open(stdin, QIODevice::ReadOnly);
    output.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    int status = 0;
    if (command == QLatin1String("expr"))
        status = RunExprCommand(arguments.mid(2), input, output, errors);
    else if (command == QLatin1String("check-model"))
        status = RunCheckModelCommand(arguments.mid(2), output, errors);
    else
        status = RunCalcCommand(arguments.mid(2), input, output, errors);
    output.flush();
    errors.flush();
    return status;
}
