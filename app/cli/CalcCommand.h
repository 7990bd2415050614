#pragma once
// Batch scoring behind `tavlo-cli calc`: every row of a CSV file goes
// through the journal and the calculation of the work window, on a patient
// database of its own in a temporary folder, so the figures are those the
// window would show for the same values.

#include <QStringList>

class QIODevice;

// Runs `calc [--model N] [--country ID] [--years N] [--diabetes] [FILE|-]`
// (the arguments after "calc"). The rows with their results go to `output`,
// messages to `errors`. Returns the exit status: 0 every row calculated,
// 1 some row did not, 2 a bad option or unreadable input.
int RunCalcCommand(const QStringList& arguments, QIODevice& input, QIODevice& output, QIODevice& errors);

// The usage lines of the command.
QString CalcCommandUsage();
