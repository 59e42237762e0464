#include "CatalogueView.h"

#include "CatalogueModel.h"

#include <QDrag>
#include <QMimeData>

CatalogueView::CatalogueView(QWidget *parent) : QTreeView(parent) {}

void CatalogueView::startDrag(Qt::DropActions supportedActions)
{
    const QModelIndexList dragged = selectedIndexes();
    if (dragged.isEmpty() || model() == nullptr) {
        return;
    }
    auto *drag = new QDrag(this);
    drag->setMimeData(model()->mimeData(dragged));
    drag->setPixmap(TreeImages::doc().pixmap(32, 32));
    drag->setHotSpot(QPoint(8, 8));
    drag->exec(supportedActions, Qt::CopyAction);
}
