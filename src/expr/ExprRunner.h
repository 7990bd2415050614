#pragma once
// The formula runner behind `tavlo-cli expr`: lets model authors try a
// formula without the program.

#include <QStringList>

class QIODevice;

// Runs `expr [--no-source] [--set NAME=VALUE]... FILE|-` (the arguments after
// "expr"). WriteLn output and the variable lines ("NAME<TAB>TYPE<TAB>VALUE",
// a text's backslash, tab and line ends written \\, \t, \n, \r) go to
// `output`, DEBUG output and usage to `errors`. Returns the exit status: 0
// success, 1 a compile or run failure (one line "error<TAB>MESSAGE", escaped
// alike), 2 a usage error.
int RunExprCommand(const QStringList& arguments, QIODevice& input, QIODevice& output,
                   QIODevice& errors);

// The usage line of the command.
QString ExprCommandUsage();
