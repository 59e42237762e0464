// The settings file over any bytes: reading never crashes; a write followed by a read gives
// back the value written (cut at its first NUL, without the spaces around it) for any valid
// section and key and any value without a line break; a write changes no byte outside the one
// line it replaces and leaves every other setting as it was.
#include "FuzzCheck.h"
#include "common/Blanks.h"
#include "config/IniFile.h"
#include "config/Settings.h"
#include "log/Log.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString text(FuzzedDataProvider &input, size_t longest)
{
    return QString::fromUtf8(QByteArray::fromStdString(input.ConsumeRandomLengthString(longest)));
}

bool isUtf8(const QByteArray &bytes)
{
    // Stateless: bytes that end in the middle of a character are an error, not a character
    // still to come.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

bool sameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The bytes that differ between before and after, as the part of before they replace.
QByteArrayView replacedPart(const QByteArray &before, const QByteArray &after)
{
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    return QByteArrayView(before.constData() + prefix, before.size() - prefix - suffix);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const Log log(dir.path(), QStringLiteral("fuzz"));
    const QString file = QDir(dir.path()).filePath(QStringLiteral("shopping.ini"));

    FuzzedDataProvider input(data, size);
    const std::string raw = input.ConsumeRandomLengthString(size);
    const QByteArray before = QByteArray::fromStdString(raw);
    const QString section = text(input, 64);
    const QString key = text(input, 64);
    const QString value = text(input, 1024);
    const QString otherSection = text(input, 64);
    const QString otherKey = text(input, 64);

    // Any bytes read as a settings file.
    const IniFile ini(before);
    (void)ini.value(section, key);
    (void)ini.value(otherSection, otherKey);
    {
        QFile out(file);
        check(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(before);
    }
    const QString otherBefore = ReadIniValue(file, otherSection, otherKey, log);

    const bool writable = IniFile::isValidName(section) && IniFile::isValidKeyName(key) &&
                          !TextBeforeNull(value).contains(u'\r') &&
                          !TextBeforeNull(value).contains(u'\n');
    WriteIniValue(section, key, value, file);
    const std::optional<IniFile> written = IniFile::load(file);
    check(written.has_value());
    const QByteArray after = written->bytes();
    if (!writable) {
        check(after == before);
        return 0;
    }

    check(ReadIniValue(file, section, key, log) == TrimBlanks(TextBeforeNull(value)));
    if (!(sameName(section, otherSection) && sameName(key, otherKey))) {
        check(ReadIniValue(file, otherSection, otherKey, log) == otherBefore);
    }
    // A Windows-1252 file may have been turned into UTF-8 as a whole; otherwise only the old
    // value's bytes may have been replaced, and never a line end.
    if (isUtf8(before) || !isUtf8(after)) {
        const QByteArrayView replaced = replacedPart(before, after);
        check(!replaced.contains('\r') && !replaced.contains('\n'));
    }
    return 0;
}
