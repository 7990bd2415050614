#pragma once
// `tavlo-cli check-model`: checks the models of an application database
// before it is shipped.

#include <QStringList>

class QIODevice;

// Runs `check-model [FILE]` (the arguments after "check-model"). FILE is an
// application database (.db) or the SQL script that makes one (.sql);
// without it the script shipped beside the program. The file itself is never
// changed: the check runs on a copy in a folder of its own. Each problem goes
// to `output` on a line of its own, then a count; the status is 0 when the
// models are clean, 1 on any problem or when the file cannot be read, 2 on
// a usage error.
int RunCheckModelCommand(const QStringList& arguments, QIODevice& output, QIODevice& errors);

QString CheckModelCommandUsage();
