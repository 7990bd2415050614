#pragma once
// What the base windows ask of the mediator, which is created later at
// start-up: the mediator fills these in when it is created. Until then
// (and in tests) the settings are a store of the product's own path, the
// update level is empty and there is no main window.

#include <QString>
#include <functional>

class QWidget;
class TMlSettings;

struct TBuildServices {
    std::function<TMlSettings*()> Settings;  // the mediator's settings
    std::function<QString()> UpdateLevel;    // "build / data version"
    std::function<QWidget*()> MainForm;      // the work window
};
TBuildServices& BuildServices();

// The settings through the services, else the product's own.
TMlSettings* BuildSettings();
QString BuildUpdateLevel();
QWidget* BuildMainForm();
