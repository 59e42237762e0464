#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// One settings file as profile files have always worked: "[section]" lines open sections,
// "key=value" lines hold values. Section and key names match without regard to case and the
// first match wins; blanks (spaces and tabs) around a value and one pair of matching quotes
// around it are dropped when it is read. Any line that is neither is kept as it is. A change
// touches only the bytes it has to: a value is replaced in place, a missing key goes after the
// last key of its section, a missing section at the end of the file, new lines end in CR LF.
//
// The bytes are read as UTF-8 when valid, otherwise as Windows-1252. New text goes in as
// UTF-8; into a Windows-1252 file it goes in that encoding when it can, and when it cannot the
// whole file is turned into UTF-8 so that neither the old nor the new text is garbled.
//
// An IniFile lives for one access: load it, look or change, save it.
class IniFile final
{
public:
    // The longest value a read returns: the 32000-character read buffer less its final NUL.
    static constexpr qsizetype MaximumValueLength = 31999;

    explicit IniFile(const QByteArray &bytes = {});

    // The largest settings file read. Every setting is read from the file afresh, so a huge
    // file would slow every start and close; one this large was not written by the program,
    // and is neither read nor overwritten.
    static constexpr qint64 MaximumFileSize = 1024 * 1024;

    // A missing file loads as an empty one; nothing when the file exists but cannot be read
    // or is larger than MaximumFileSize.
    static std::optional<IniFile> load(const QString &path);

    // The value of key in section, or nothing when the section or key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;

    // Sets key in section to text, written as given. False, and nothing changed, when a name
    // is empty or holds "]", "=", a line break or a NUL, a key name opens with "[", or the
    // text holds a line break: such a line could not be read back as written and could break
    // the lines around it.
    bool setValue(const QString &section, const QString &key, const QString &text);

    const QByteArray &bytes() const { return m_bytes; }

    // Replaces the file at path with the bytes, through a temporary file named
    // TemporaryPrefix and six letters or digits beside it, so that the path holds the whole
    // old file or the whole new one at every instant. Where no temporary file can be made the
    // file is not written at all. False, with the reason, when the old file stays.
    bool save(const QString &path, QString &reason) const;
    static inline const QString TemporaryPrefix = QStringLiteral(".shopping.ini-");

    static bool isValidName(const QString &name);
    static bool isValidKeyName(const QString &name);

private:
    struct Line
    {
        enum class Kind { Other, Section, Key };
        Kind kind = Kind::Other;
        qsizetype start = 0;      // first byte of the line
        qsizetype contentEnd = 0; // first byte of its terminator, or the end of the file
        qsizetype end = 0;        // first byte after its terminator
        qsizetype valueStart = 0; // for a key line, the first byte after "="
        QString name;             // section or key name, blanks around it dropped
    };

    void parse();
    // setValue once the names and text are known to be valid and the encoding is settled.
    void change(const QString &section, const QString &key, const QString &text);
    QString decode(qsizetype from, qsizetype to) const;
    // Turns a Windows-1252 file into UTF-8 when text cannot be written in Windows-1252.
    void makeEncodable(const QString &text);
    QByteArray encode(const QString &text) const;
    qsizetype findSection(const QString &section) const;
    qsizetype findKey(qsizetype sectionLine, const QString &key) const;

    QByteArray m_bytes;
    bool m_utf8 = true;
    QList<Line> m_lines;
};
