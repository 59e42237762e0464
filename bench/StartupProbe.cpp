// The program's start-up as a whole process: the main window over the program folder given,
// loaded as at every start, optionally with a list file opened; then the process ends.
#include "app/ShoppingWindow.h"
#include "support/ScriptedPlatform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        qFatal("usage: startup_probe PROGRAM_FOLDER [LIST_FILE]");
    }
    ScriptedPlatform platform;
    ShoppingWindow window(arguments[1], platform);
    window.Form_Load();
    if (arguments.size() > 2) {
        platform.answerFileName(arguments[2]);
        window.mnuFile_Click(1);
    }
    QCoreApplication::processEvents();
    return 0;
}
