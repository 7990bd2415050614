#pragma once
// The installation's edition: which model variant is used and how the
// program presents itself. It is a machine-wide setting ("Edition", an
// integer in the machine root under the product path) read once at start,
// before the mediator is created, and fixed for the process.

#include <QImage>
#include <QString>

enum class TEdition : int { Prevention = 0, Diabetes = 1, Combined = 3 };

// The installation's edition; Combined until ProvisionEdition ran.
TEdition Edition();
bool IsDiabetesEdition();

// Reads the machine-wide setting (default Combined) and fixes the edition.
// A value other than 0, 1 or 3, or a value that is not an integer, raises an
// Exception saying so: start-up must end with that message.
void ProvisionEdition();
TEdition ReadEditionSetting();
// The edition for a value; raises for anything but 0, 1 and 3.
TEdition EditionFromValue(int value);
// Start-up (and tests) set the edition directly.
void SetEdition(TEdition edition);

// The machine-wide value that holds the edition.
inline constexpr const char* EditionValueName = "Edition";

// Indexed by the edition's value; index 2 is never an edition.
// Prevention has no title of its own: the chosen country gives it.
QString EditionTitles(TEdition edition);
struct TEditionSuffixes {
    QString Suffix1;
    QString Suffix2;
};
TEditionSuffixes EditionSuffixes(TEdition edition);

// The 32 x 32 application icon of an edition (index 2 of the icon list is
// not used and is a null image).
QImage EditionIconImage(int index);
