#include "CheckModelCommand.h"
#include "UserFolders.h"

#include "Application.h"
#include "BuildMediatorDM.h"
#include "DBTables.h"
#include "DatabaseSetup.h"
#include "Exceptions.h"
#include "ModelCheck.h"
#include "PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>
#include <memory>

namespace {

void WriteLine(QIODevice& device, const QString& line) { device.write((line + QLatin1Char('\n')).toUtf8()); }

} // namespace

QString CheckModelCommandUsage() {
    return QStringLiteral("usage: tavlo-cli check-model [FILE]   (FILE: an application database .db or its .sql "
                          "script; the shipped script without it)");
}

int RunCheckModelCommand(const QStringList& arguments, QIODevice& output, QIODevice& errors) {
    QString file;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-')) || !file.isEmpty()) {
            WriteLine(errors, CheckModelCommandUsage());
            return 2;
        }
        file = argument;
    }
    const bool script = file.isEmpty() || file.endsWith(QStringLiteral(".sql"), Qt::CaseInsensitive);
    if (file.isEmpty())
        file = SeedFileName(ApplicationSeedName);
    if (!QFileInfo(file).isFile()) {
        WriteLine(errors, QStringLiteral("Cannot open file \"%1\"").arg(file));
        return 1;
    }

    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/tavlo-check-XXXXXX"));
    if (!home.isValid()) {
        WriteLine(errors, QStringLiteral("Cannot make a folder for the check: %1").arg(home.errorString()));
        return 1;
    }
    PointUserFoldersInto(home.path());
    // What the mediator would show in a window goes to the errors, and
    // fails the check: a model read from a half set-up program is no proof.
    QStringList shown;
    struct TShownScope {
        explicit TShownScope(QStringList& shown) {
            TApplication::OnException = [&shown](const QString& text) { shown << text; };
        }
        ~TShownScope() { TApplication::OnException = nullptr; }
    } shownScope(shown);
    try {
        const QString folder = home.filePath(QStringLiteral("check"));
        MakePrivateFolder(folder);
        const QString target = QDir(folder).filePath(QStringLiteral("TavloCalc.db"));
        if (script) {
            CreateDatabaseFile(target, file);
        } else {
            // With its journal or WAL file: a database in use holds its latest rows there.
            const QStringList from = DatabaseFiles(file), to = DatabaseFiles(target);
            for (int i = 0; i < from.size() && i < to.size(); ++i) {
                if (to[i].endsWith(QStringLiteral("-shm")) || (i > 0 && !QFileInfo::exists(from[i])))
                    continue;
                if (!QFile::copy(from[i], to[i])) {
                    WriteLine(errors, QStringLiteral("Cannot copy \"%1\" for the check").arg(from[i]));
                    return 1;
                }
            }
        }
        // The copy is as private as the program keeps its databases, so
        // connecting to it has no rights to tighten.
        TightenPrivate(DatabaseFiles(target));
        const QString alias = QStringLiteral("CheckModelAlias");
        Session().AddAlias(alias, {"TYPE=SQLITE", "PATH=" + folder, "DATABASE NAME=TavloCalc.db"});
        Session().AddAlias(PatientAliasName, {"TYPE=SQLITE", "PATH=" + folder, "DATABASE NAME=TavloPatients.db"});

        auto mediator = std::make_unique<TMediatorDataModule>();
        mediator->ConnectDatabases(alias, false);
        const QList<TModelProblem> problems = CheckModels();
        mediator.reset();
        for (const QString& text : shown)
            WriteLine(errors, text);
        for (const TModelProblem& problem : problems)
            WriteLine(output, problem.Text());
        WriteLine(output, problems.isEmpty() ? QStringLiteral("no problems")
                                             : QStringLiteral("%1 problem(s)").arg(problems.size()));
        return problems.isEmpty() && shown.isEmpty() ? 0 : 1;
    } catch (const Exception& e) {
        for (const QString& text : shown)
            WriteLine(errors, text);
        WriteLine(errors, e.Message());
    } catch (const std::exception& e) {
        WriteLine(errors, QString::fromUtf8(e.what()));
    }
    return 1;
}
