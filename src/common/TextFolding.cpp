#include "TextFolding.h"

#include <algorithm>

namespace {

// Letters whose mark is part of the letter itself, so that no decomposition takes it off.
QStringView plainLetter(char16_t c)
{
    switch (c) {
    case u'ø':
        return u"o";
    case u'đ':
        return u"d";
    case u'ł':
        return u"l";
    case u'ħ':
        return u"h";
    case u'ß':
        return u"ss";
    case u'æ':
        return u"ae";
    case u'œ':
        return u"oe";
    case u'ı':
        return u"i";
    default:
        return {};
    }
}

} // namespace

QString FoldForSearch(QStringView text)
{
    // Most catalogue texts are plain ASCII: no need for the full Unicode path.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        return text.toString().toLower();
    }
    const QString decomposed =
        text.toString().normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) {
            continue;
        }
        const QStringView plain = plainLetter(c.unicode());
        if (plain.isEmpty()) {
            folded += c;
        } else {
            folded += plain;
        }
    }
    return folded;
}
