#include "app/CommandLine.h"
#include "app/ShoppingWindow.h"
#include "common/ProgramFolders.h"
#include "platform/QtPlatform.h"
#include "platform/TerminationSignals.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before any window system is needed, so that --help works anywhere.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const CommandLine command = CommandLine::parse(arguments);
    if (command.exitCode) {
        std::fputs(command.output.toLocal8Bit().constData(),
                   *command.exitCode == 0 ? stdout : stderr);
        return *command.exitCode;
    }

    QApplication app(argc, argv);
    const TerminationSignals termination;
    QGuiApplication::setDesktopFileName(QStringLiteral("example.torvy.shopping"));
    // Nothing on this system is called "MS Sans Serif"; its metric twin is.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    ProgramFolders folders = ProgramFolders::decide(ProgramFolders::Environment::current());
    folders.prepare();
    QtPlatform platform;
    ShoppingWindow window(folders, platform);
    platform.setDialogParent(&window);
    // Every loop ends, a dialog's too, with no further close handling. An end asked for while
    // the start-up still runs (in a message box it shows) ends the start-up too.
    bool ended = false;
    QObject::connect(&window, &ShoppingWindow::programEnded, &app, [&ended] {
        ended = true;
        QCoreApplication::exit(0);
    });
    QObject::connect(&termination, &TerminationSignals::endRequested, &window,
                     &ShoppingWindow::endAtOnce);
    window.Form_Load();
    if (!ended && !command.file.isEmpty()) {
        window.OpenListFile(command.file);
    }
    return ended ? 0 : QApplication::exec();
}
