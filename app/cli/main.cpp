// The headless command: tools for model authors that need no window system.

#include "ExprRunner.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Brovik");
    QCoreApplication::setApplicationName("Tavlo");

    QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2 || arguments.at(1) != QLatin1String("expr")) {
        std::fprintf(stderr, "%s\n", qPrintable(ExprCommandUsage()));
        return 2;
    }
    QFile input, output, errors;
    input.open(stdin, QIODevice::ReadOnly);
    output.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    int status = RunExprCommand(arguments.mid(2), input, output, errors);
    output.flush();
    errors.flush();
    return status;
}
