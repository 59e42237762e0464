// The program's start-up as a whole process: the main window over the program folder given,
// loaded as at every start, optionally with a list file opened and then its print preview
// shown; then the process ends. It links
// what the program links and no more, so that its start costs what the program's does.
#include "ReportReady.h"
#include "app/ShoppingWindow.h"
#include "platform/QtPlatform.h"

#include <QAction>
#include <QApplication>

namespace {

// Opens the list file named on the command line instead of asking for one.
class ProbePlatform final : public Platform
{
public:
    explicit ProbePlatform(QString listFile) : m_listFile(std::move(listFile)) {}

    MessageAnswer messageBox(const MessageBoxRequest &request) override
    {
        qFatal("unexpected message: %s", qPrintable(request.text));
    }
    std::optional<QString> inputBox(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    bool showOpen() override
    {
        commonDialog().fileName = m_listFile;
        return true;
    }
    std::optional<OtherItem> otherItemBox(const OtherItem &, const QStringList &) override
    {
        return std::nullopt;
    }
    bool showSave() override { return false; }
    bool showColor() override { return false; }
    bool showFont() override { return false; }
    int exec(QDialog &) override { return 0; }
    QSizeF screenSizeTwips() const override { return m_screen.screenSizeTwips(); }
    void openUrl(const QUrl &) override {}

private:
    QString m_listFile;
    QtPlatform m_screen;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        qFatal("usage: startup_probe PROGRAM_FOLDER [LIST_FILE [preview]]");
    }
    ProbePlatform platform(arguments.value(2));
    ShoppingWindow window(ProgramFolders::inProgramFolder(arguments[1]), platform);
    window.Form_Load();
    if (arguments.size() > 2) {
        window.findChild<QAction *>(QStringLiteral("mnuFile(1)"))->trigger();
    }
    if (arguments.value(3) == QStringLiteral("preview")) {
        QCoreApplication::processEvents();
        window.findChild<QAction *>(QStringLiteral("mnuFile(4)"))->trigger();
    }
    QCoreApplication::processEvents();
    reportReadyAndEnd();
}
