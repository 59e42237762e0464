#include "ProductWindow.h"

ProductWindow::ProductWindow(Platform &platform, QWidget *parent)
    : QWidget(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("frmProducts"));
    setWindowTitle(QStringLiteral("Other Products from Torvy Software"));
}
