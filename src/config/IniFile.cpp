#include "IniFile.h"

#include "common/FileAccess.h"
#include "common/TextDecoding.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString stripBlanks(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from])) {
        ++from;
    }
    while (to > from && isBlank(text[to - 1])) {
        --to;
    }
    return text.mid(from, to - from);
}

bool hasHighBytes(const QByteArray &bytes)
{
    return std::any_of(bytes.cbegin(), bytes.cend(),
                       [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; });
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const QByteArray lineEnd = QByteArrayLiteral("\r\n");

} // namespace

IniFile::IniFile(const QByteArray &bytes) : m_bytes(bytes), m_utf8(IsValidUtf8(bytes))
{
    parse();
}

std::optional<IniFile> IniFile::load(const QString &path)
{
    QByteArray bytes;
    FileError error;
    if (ReadRegularFile(path, bytes, error, MaximumFileSize)) {
        return IniFile(bytes);
    }
    // Only a file that is not there counts as empty: one that cannot be read must not be
    // overwritten by a write that never saw its contents.
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        return IniFile();
    }
    return std::nullopt;
}

bool IniFile::isValidKeyName(const QString &name)
{
    // A line that opens with "[" is a section line, whatever follows.
    return isValidName(name) && !stripBlanks(name).startsWith(u'[');
}

bool IniFile::isValidName(const QString &name)
{
    if (stripBlanks(name).isEmpty()) {
        return false;
    }
    for (const QChar c : name) {
        if (c == u']' || c == u'=' || c == u'\r' || c == u'\n' || c == u'\0') {
            return false;
        }
    }
    return true;
}

QString IniFile::decode(qsizetype from, qsizetype to) const
{
    // The whole file decides the encoding: a part of a Windows-1252 file may look like UTF-8.
    const QByteArrayView part(m_bytes.constData() + from, to - from);
    if (!m_utf8) {
        return DecodeWindows1252(part);
    }
    // QString::fromUtf8 drops a byte order mark at the start of what it is given; inside the
    // file it is a character of a name or value like any other.
    const QByteArrayView bom("\xEF\xBB\xBF");
    if (part.startsWith(bom)) {
        return QChar(0xFEFF) + QString::fromUtf8(part.sliced(bom.size()));
    }
    return QString::fromUtf8(part);
}

void IniFile::parse()
{
    m_lines.clear();
    const qsizetype n = m_bytes.size();
    qsizetype start = 0;
    // A UTF-8 byte order mark belongs to no line's text.
    if (m_utf8 && m_bytes.startsWith("\xEF\xBB\xBF")) {
        start = 3;
    }
    while (start < n) {
        Line line;
        line.start = start;
        qsizetype i = start;
        while (i < n && m_bytes[i] != '\r' && m_bytes[i] != '\n') {
            ++i;
        }
        line.contentEnd = i;
        if (i < n) {
            i += (m_bytes[i] == '\r' && i + 1 < n && m_bytes[i + 1] == '\n') ? 2 : 1;
        }
        line.end = i;

        qsizetype first = line.start;
        while (first < line.contentEnd && isBlank(m_bytes[first])) {
            ++first;
        }
        // Searches stay inside the line, so a long file is read in one pass.
        const QByteArrayView text(m_bytes.constData() + first, line.contentEnd - first);
        const qsizetype close = text.startsWith('[') ? text.lastIndexOf(']') : -1;
        if (close > 0) {
            line.kind = Line::Kind::Section;
            line.name = stripBlanks(decode(first + 1, first + close));
        } else if (const qsizetype equals = text.indexOf('='); equals >= 0) {
            line.kind = Line::Kind::Key;
            line.name = stripBlanks(decode(first, first + equals));
            line.valueStart = first + equals + 1;
        }
        m_lines.append(line);
        start = line.end;
    }
}

qsizetype IniFile::findSection(const QString &section) const
{
    const QString wanted = stripBlanks(section);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::Kind::Section && sameName(m_lines[i].name, wanted)) {
            return i;
        }
    }
    return -1;
}

qsizetype IniFile::findKey(qsizetype sectionLine, const QString &key) const
{
    const QString wanted = stripBlanks(key);
    for (qsizetype i = sectionLine + 1; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Line::Kind::Section) {
            break;
        }
        if (line.kind == Line::Kind::Key && sameName(line.name, wanted)) {
            return i;
        }
    }
    return -1;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const qsizetype sectionLine = findSection(section);
    if (sectionLine < 0) {
        return std::nullopt;
    }
    const qsizetype keyLine = findKey(sectionLine, key);
    if (keyLine < 0) {
        return std::nullopt;
    }
    const Line &line = m_lines[keyLine];
    QString text = stripBlanks(decode(line.valueStart, line.contentEnd));
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
        text.back() == text.front()) {
        text = text.mid(1, text.size() - 2);
    }
    if (text.size() > MaximumValueLength) {
        text.truncate(MaximumValueLength);
        // Never leave half of a surrogate pair behind.
        if (text.back().isHighSurrogate()) {
            text.chop(1);
        }
    }
    return text;
}

void IniFile::makeEncodable(const QString &text)
{
    if (!m_utf8 && !EncodeWindows1252(text)) {
        m_bytes = DecodeWindows1252(m_bytes).toUtf8();
        m_utf8 = true;
        parse();
    }
}

QByteArray IniFile::encode(const QString &text) const
{
    return m_utf8 ? text.toUtf8() : EncodeWindows1252(text).value_or(QByteArray());
}

bool IniFile::setValue(const QString &section, const QString &key, const QString &text)
{
    if (!isValidName(section) || !isValidKeyName(key) || text.contains(u'\r') ||
        text.contains(u'\n')) {
        return false;
    }
    if (!m_utf8) {
        // A Windows-1252 file is told from UTF-8 by its bytes alone: when the change leaves
        // bytes that read as valid UTF-8 but are not plain ASCII, every other value would read
        // differently. The whole file is turned into UTF-8 first then.
        IniFile changed(*this);
        changed.change(section, key, text);
        if (changed.m_utf8 || !IsValidUtf8(changed.m_bytes) || !hasHighBytes(changed.m_bytes)) {
            *this = changed;
            return true;
        }
        m_bytes = DecodeWindows1252(m_bytes).toUtf8();
        m_utf8 = true;
        parse();
    }
    change(section, key, text);
    return true;
}

void IniFile::change(const QString &section, const QString &key, const QString &text)
{
    const QString sectionName = stripBlanks(section);
    const QString keyName = stripBlanks(key);
    // First: it may turn the whole file into UTF-8 and so move every line.
    makeEncodable(sectionName + keyName + text);
    const QByteArray valueBytes = encode(text);
    const QByteArray keyBytes = encode(keyName);
    const QByteArray sectionBytes = encode(sectionName);

    const qsizetype sectionLine = findSection(sectionName);
    if (sectionLine < 0) {
        if (!m_bytes.isEmpty() && !m_bytes.endsWith('\n') && !m_bytes.endsWith('\r')) {
            m_bytes += lineEnd;
        }
        m_bytes += '[' + sectionBytes + ']' + lineEnd + keyBytes + '=' + valueBytes + lineEnd;
    } else if (const qsizetype keyLine = findKey(sectionLine, keyName); keyLine >= 0) {
        const Line &line = m_lines[keyLine];
        m_bytes.replace(line.valueStart, line.contentEnd - line.valueStart, valueBytes);
    } else {
        qsizetype after = sectionLine;
        for (qsizetype i = sectionLine + 1;
             i < m_lines.size() && m_lines[i].kind != Line::Kind::Section; ++i) {
            if (m_lines[i].kind == Line::Kind::Key) {
                after = i;
            }
        }
        const Line &line = m_lines[after];
        QByteArray insert = keyBytes + '=' + valueBytes + lineEnd;
        if (line.end == line.contentEnd) {
            insert.prepend(lineEnd); // the last line of the file had no line end
        }
        m_bytes.insert(line.end, insert);
    }
    parse();
}

bool IniFile::save(const QString &path, QString &reason) const
{
    return ReplaceFileSafely(path, m_bytes, reason, TemporaryPrefix);
}
