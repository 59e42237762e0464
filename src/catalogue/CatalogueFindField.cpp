#include "CatalogueFindField.h"

#include "CatalogueView.h"

#include <QKeyEvent>

CatalogueFindField::CatalogueFindField(Catalogue &catalogue, CatalogueView &tree, QWidget *parent)
    : QLineEdit(parent), m_search(catalogue), m_tree(tree)
{
    setObjectName(QStringLiteral("txtFind"));
    setPlaceholderText(QStringLiteral("Find in the catalogue"));
    setVisible(false);
    connect(this, &QLineEdit::textChanged, this, [this] { search(Step::First); });
}

void CatalogueFindField::open()
{
    // Made now rather than at the first key, so that every key is answered at once.
    m_search.prepare();
    // The clear button's icon comes from the desktop's icon theme, a search through many files:
    // looked for the first time the field is needed, not at every start.
    setClearButtonEnabled(true);
    if (!isVisible()) {
        setVisible(true);
        emit shownChanged();
    }
    selectAll();
    setFocus(Qt::ShortcutFocusReason);
}

void CatalogueFindField::close()
{
    setVisible(false);
    emit shownChanged();
    m_tree.setFocus(Qt::OtherFocusReason);
}

void CatalogueFindField::search(Step step)
{
    switch (step) {
    case Step::First:
        m_found = m_search.first(text());
        break;
    case Step::Next:
        m_found = m_search.next(text(), m_found);
        break;
    case Step::Previous:
        m_found = m_search.previous(text(), m_found);
        break;
    }
    QPalette colours = palette();
    colours.setColor(QPalette::Text, m_found == 0 && !text().isEmpty()
                                         ? Qt::red
                                         : QPalette().color(QPalette::Text));
    setPalette(colours);
    if (m_found != 0) {
        m_tree.showNode(m_found);
    }
}

void CatalogueFindField::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (event->key() == Qt::Key_Escape) {
        close();
    } else if (enter && event->modifiers().testFlag(Qt::ControlModifier)) {
        if (m_found != 0) {
            emit addFound();
        }
    } else if (enter || event->key() == Qt::Key_F3) {
        search(shift ? Step::Previous : Step::Next);
    } else {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}
