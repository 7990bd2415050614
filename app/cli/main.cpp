// The headless command: tools for model authors that need no window system.

#include "CalcCommand.h"
#include "ExprRunner.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Brovik");
    QCoreApplication::setApplicationName("Tavlo");

    QStringList arguments = QCoreApplication::arguments();
    const bool calc = arguments.size() >= 2 && arguments.at(1) == QLatin1String("calc");
    if (!calc && (arguments.size() < 2 || arguments.at(1) != QLatin1String("expr"))) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(ExprCommandUsage()), qPrintable(CalcCommandUsage()));
        return 2;
    }
    QFile input, output, errors;
    input.open(stdin, QIODevice::ReadOnly);
    output.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    int status = calc ? RunCalcCommand(arguments.mid(2), input, output, errors)
                      : RunExprCommand(arguments.mid(2), input, output, errors);
    output.flush();
    errors.flush();
    return status;
}
