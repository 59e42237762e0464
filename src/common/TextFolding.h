#pragma once

#include <QString>
#include <QStringView>

// A text as a search compares it: letter case and accents left out, so that "Crème brûlée",
// "creme BRULEE" and "CRÈME" all fold to the same letters. Compatibility forms fold to their
// plain ones ("ﬁ" to "fi"), and the few letters that carry their mark inside them fold to the
// plain letter ("ø" to "o", "ß" to "ss"). Only letters change: a folded text holds a line feed
// exactly where the text does.
QString FoldForSearch(QStringView text);
