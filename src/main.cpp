#include "app/ShoppingWindow.h"
#include "platform/QtPlatform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Nothing on this system is called "MS Sans Serif"; its metric twin is.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QtPlatform platform;
    ShoppingWindow window(QCoreApplication::applicationDirPath(), platform);
    platform.setDialogParent(&window);
    QObject::connect(&window, &ShoppingWindow::programEnded, &app, &QCoreApplication::quit);
    window.Form_Load();
    return QApplication::exec();
}
