#include "app/QtPlatform.h"
#include "app/ShoppingWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtPlatform platform;
    ShoppingWindow window(QCoreApplication::applicationDirPath(), platform);
    platform.setDialogParent(&window);
    QObject::connect(&window, &ShoppingWindow::programEnded, &app, &QCoreApplication::quit);
    window.Form_Load();
    return QApplication::exec();
}
