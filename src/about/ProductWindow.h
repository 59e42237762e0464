#pragma once

#include <QWidget>

class Platform;
class QLabel;

// The window that presents the maker's programs, with a link to the maker's home page.
// Modeless and on its own: the main window makes it once and shows it again on request.
class ProductWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit ProductWindow(Platform &platform, QWidget *parent = nullptr);

    void lblHomePage_Click();

private:
    Platform &m_platform;
    QLabel *m_lblHomePage = nullptr;
};
