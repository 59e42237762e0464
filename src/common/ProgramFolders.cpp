#include "ProgramFolders.h"

#include "FileAccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString headingsFile = QStringLiteral("headings.txt");
const QString subfolder = QStringLiteral("shopping");

bool holdsCatalogue(const QString &folder)
{
    return QFileInfo(FindFileIgnoringCase(folder, headingsFile)).isFile();
}

// An XDG base folder: the variable when it names an absolute path, else its default under home.
QString baseFolder(const QString &variable, const QString &home, const QString &fallback)
{
    const QString base = QDir::isAbsolutePath(variable) ? variable : QDir(home).filePath(fallback);
    return QDir::cleanPath(QDir(base).filePath(subfolder));
}

// The XDG base folders that do not exist yet are made for the user alone.
void makeFolder(const QString &path)
{
    const QString parent = QFileInfo(path).path();
    if (!QFileInfo::exists(parent)) {
        QDir().mkpath(QFileInfo(parent).path());
        QDir().mkdir(parent, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QDir().mkdir(path);
}

} // namespace

ProgramFolders::Environment ProgramFolders::Environment::current()
{
    Environment environment;
    environment.executableFolder = QCoreApplication::applicationDirPath();
    environment.home = QDir::homePath();
    environment.configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    environment.stateHome = qEnvironmentVariable("XDG_STATE_HOME");
    environment.dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    environment.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return environment;
}

ProgramFolders ProgramFolders::inProgramFolder(const QString &folder)
{
    ProgramFolders folders;
    folders.settings = folder;
    folders.log = folder;
    folders.catalogue = folder;
    folders.dialogs = folder;
    return folders;
}

ProgramFolders ProgramFolders::decide(const Environment &environment)
{
    if (holdsCatalogue(environment.executableFolder)) {
        return inProgramFolder(environment.executableFolder);
    }
    const QString &home = environment.home;
    ProgramFolders folders;
    folders.installed = true;
    folders.settings = baseFolder(environment.configHome, home, QStringLiteral(".config"));
    folders.log = baseFolder(environment.stateHome, home, QStringLiteral(".local/state"));
    folders.catalogue = baseFolder(environment.dataHome, home, QStringLiteral(".local/share"));
    folders.installedCatalogue = QDir::cleanPath(
        QDir(environment.executableFolder).filePath(QStringLiteral("../share/shopping/catalogue")));
    folders.dialogs = QFileInfo(environment.documents).isDir() ? environment.documents : home;
    return folders;
}

void ProgramFolders::prepare()
{
    if (!installed) {
        return;
    }
    makeFolder(settings);
    makeFolder(log);
    makeFolder(catalogue);
    if (holdsCatalogue(catalogue)) {
        return;
    }
    const FolderNames mine(catalogue);
    const QDir source(installedCatalogue);
    QStringList names = source.entryList(QDir::Files, QDir::Name);
    // headings.txt last: a first start cut short is a first start again next time.
    names.removeAll(headingsFile);
    names.append(headingsFile);
    for (const QString &name : std::as_const(names)) {
        if (mine.find(name).isEmpty()) {
            // QFile::copy never replaces a file, even one made since the look-up.
            QFile::copy(source.filePath(name), QDir(catalogue).filePath(name));
        }
    }
    if (!holdsCatalogue(catalogue) && holdsCatalogue(installedCatalogue)) {
        catalogue = installedCatalogue;
    }
}
