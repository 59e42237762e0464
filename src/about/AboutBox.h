#pragma once

#include <QDialog>

class Platform;

// The about box, frmAboutShopping: product name, version and build, and the maker's page.
class AboutBox final : public QDialog
{
    Q_OBJECT

public:
    AboutBox(Platform &platform, QWidget *parent = nullptr);

private:
    Platform &m_platform;
};
