#include "BuildServices.h"

#include "MorlenSettings.h"

TBuildServices& BuildServices() {
    static TBuildServices services;
    return services;
}

TMlSettings* BuildSettings() {
    if (BuildServices().Settings)
        if (TMlSettings* settings = BuildServices().Settings())
            return settings;
    static TMlSettings* own = [] {
        auto* settings = new TMlSettings;
        settings->SectionName = QStringLiteral("Software");
        settings->ProducerName = QStringLiteral("Brovik");
        settings->ProductName = QStringLiteral("Tavlo");
        settings->ProductVersion = QStringLiteral("4.0");
        return settings;
    }();
    return own;
}

QString BuildUpdateLevel() { return BuildServices().UpdateLevel ? BuildServices().UpdateLevel() : QString(); }

QWidget* BuildMainForm() { return BuildServices().MainForm ? BuildServices().MainForm() : nullptr; }
