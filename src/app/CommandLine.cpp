#include "CommandLine.h"

#include "about/VersionInfo.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const QString usage = QStringLiteral("Usage: shopping [--help] [--version] [FILE.shp]");

CommandLine ending(int exitCode, const QString &output)
{
    CommandLine command;
    command.exitCode = exitCode;
    command.output = output + u'\n';
    return command;
}

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(arguments)) {
        return ending(2, parser.errorText() + u' ' + usage); // the error ends in a full stop
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return ending(2, QStringLiteral("Only one list file can be opened. ") + usage);
    }
    if (parser.isSet(help)) {
        return ending(0, usage + QStringLiteral("\n\n"
                                                "Puts together a weekly shopping list. Starts "
                                                "with FILE.shp open, when given.\n\n"
                                                "  -h, --help     Shows this help and ends.\n"
                                                "  -v, --version  Shows the version and ends."));
    }
    if (parser.isSet(version)) {
        return ending(0, QStringLiteral("shopping ") + GetVersionString().mid(1));
    }
    CommandLine command;
    if (!files.isEmpty()) {
        command.file = QFileInfo(files.front()).absoluteFilePath();
    }
    return command;
}
