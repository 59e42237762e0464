#include "AboutBox.h"

AboutBox::AboutBox(Platform &platform, QWidget *parent) : QDialog(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("frmAboutShopping"));
    setWindowTitle(QStringLiteral("License Information "));
}
