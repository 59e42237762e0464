#include "ChecklistText.h"

#include "PrintLayout.h"

#include <QDate>

QString ListAsChecklist(const ShoppingList &list, const QDate &date)
{
    const PrintoutSections sections = GroupByCategory(list);
    QString text = PrintoutTitle(date) + u'\n';
    for (qsizetype k = 0; k < sections.headings.size(); ++k) {
        const std::vector<int> &rows = sections.rows[size_t(k)];
        if (rows.empty()) {
            continue;
        }
        text += u'\n';
        if (!sections.headings[k].isEmpty()) {
            text += sections.headings[k] + u'\n';
        }
        for (const int position : rows) {
            text += QStringLiteral("- [ ] ") + PrintoutRowLine(list.row(position)) + u'\n';
        }
    }
    return text;
}
