#pragma once

#include <QString>

class QDate;
class ShoppingList;

// The list as a plain-text checklist, as messaging and notes programs show one: the printout's
// title line, then each of the printout's sections in its order, a blank line and the heading,
// and one "- [ ] " line per row with the row's text as printed. Rows without a category come
// last, after a blank line and no heading; a section without rows is left out. Lines end with
// a line feed.
QString ListAsChecklist(const ShoppingList &list, const QDate &date);
