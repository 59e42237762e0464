#pragma once

#include "CatalogueSearch.h"

#include <QLineEdit>

class Catalogue;
class CatalogueView;

// txtFind, the find field above the catalogue tree, shown on demand. Typing selects the first
// node whose text contains what was typed (ignoring case and accents) and opens its heading;
// Enter or F3 goes on to the next match, Shift+F3 back to the previous one; Ctrl+Enter asks to
// add the found node; Escape hides the field and gives the focus back to the tree.
class CatalogueFindField final : public QLineEdit
{
    Q_OBJECT

public:
    CatalogueFindField(Catalogue &catalogue, CatalogueView &tree, QWidget *parent = nullptr);

    // Shows the field (or keeps it) with its text selected and the focus in it.
    void open();
    // The node the last search found, 0 when it found none.
    int found() const { return m_found; }

signals:
    // Ctrl+Enter on a found node.
    void addFound();
    // Shown or hidden.
    void shownChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Step { First, Next, Previous };
    void search(Step step);
    void close();

    CatalogueSearch m_search;
    CatalogueView &m_tree;
    int m_found = 0;
};
