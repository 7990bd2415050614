// The desktop program.

#include "Application.h"
#include "BuildMediatorDM.h"
#include "BuildServices.h"
#include "BuildSplashFM.h"
#include "Edition.h"
#include "Exceptions.h"
#include "FormatSettings.h"
#include "TableStore.h"
#include "TvWorkFM.h"
#include "TvWorkMaterialDM.h"

#include <QPointer>
#include <cstdio>
#include <memory>

namespace {
// Qt aborts without a usable display; say so plainly instead.
bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// A start-up failure that ends the program: shown like any error (and on
// standard error, for a start without anyone watching the screen).
int EndStartUp(const QString& message) {
    std::fprintf(stderr, "%s\n", qPrintable(TApplication::ExceptionText(message)));
    TApplication::ShowException(message);
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "Tavlo needs a graphical display: none was found (DISPLAY and "
                             "WAYLAND_DISPLAY are not set).\n");
        return 1;
    }
    TApplication app(argc, argv);
    TApplication::setOrganizationName("Brovik");
    TApplication::setApplicationName("Tavlo");
    InitCorePictures();

    // The edition is fixed before anything else reads it.
    try {
        ProvisionEdition();
    } catch (const Exception& e) {
        return EndStartUp(e.Message());
    }

    // 1. The title starts empty; the edition or, in the prevention edition,
    //    the chosen country gives it.
    SetApplicationTitle(QString());

    std::unique_ptr<TMediatorDataModule> mediator;
    try {
        // 2. The mediator shows an error of its own creation steps and goes on.
        mediator = std::make_unique<TMediatorDataModule>();
        // 3. Both databases, made at first start from their scripts.
        mediator->ConnectDatabases(ApplicationAliasName, true);
    } catch (const EAbort&) {
        return 1;
    } catch (const Exception& e) {
        return EndStartUp(e.Message());
    } catch (const std::exception& e) {
        return EndStartUp(QString::fromUtf8(e.what()));
    }

    // 4.
    FormatSettings().ShortDateFormat = QStringLiteral("DD\\MM\\YY");

    // 5. The splash frees itself; Debugging.txt in the data folder suppresses it.
    const QPointer<TBuildSplashForm> splash = ShowSplashForm(Edition());

    // 6. The material module creates and links the country, journal and
    //    calculation modules of the work window.
    std::unique_ptr<TTvWorkMaterialDataModule> material;
    // 7. The work window is the application's main window.
    TFormPtr<TTvWorkForm> window;
    try {
        material = std::make_unique<TTvWorkMaterialDataModule>();
        material->CreateModules();
        window.reset(CreateForm<TTvWorkForm>(material.get()));
    } catch (const EAbort&) {
        return 1;
    } catch (const Exception& e) {
        return EndStartUp(e.Message());
    } catch (const std::exception& e) {
        return EndStartUp(QString::fromUtf8(e.what()));
    }
    QPointer<TTvWorkForm> mainForm(window.get());
    BuildServices().MainForm = [mainForm]() -> QWidget* { return mainForm.data(); };
    window->show();
    // The splash stays above the main window until it closes itself, also
    // where no window manager keeps it on top.
    if (splash)
        splash->raise();
    // Closing the work window ends the program.
    QObject::connect(window.get(), &QDialog::finished, &app, [] { QCoreApplication::quit(); });

    // 8.
    const int result = app.exec();
    BuildServices().MainForm = nullptr;
    window.reset();
    material.reset();
    mediator.reset();
    return result;
}
