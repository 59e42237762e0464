#pragma once

#include <QDialog>

class Platform;
class QLabel;
class QPushButton;

// The about box, frmAboutShopping: product name, version and build, and the maker's page.
// Made afresh each time it is shown. A double click on the version line shows the build
// details; a click on the link opens the program's page in the browser.
class AboutBox final : public QDialog
{
    Q_OBJECT

public:
    // executablePath is the file whose date the build details show.
    AboutBox(Platform &platform, const QString &executablePath, QWidget *parent = nullptr);

    void cmdOK_Click();
    void lblURL_Click();
    void lblVersion_DblClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void Form_Load();

    Platform &m_platform;
    QString m_executablePath;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblVersion = nullptr;
    QLabel *m_lblFreeware = nullptr;     // lbl(0)
    QLabel *m_lblDistribution = nullptr; // lbl(4)
    QLabel *m_lblURL = nullptr;
    QPushButton *m_cmdOK = nullptr;
};
