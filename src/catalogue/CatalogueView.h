#pragma once

#include <QTreeView>

// The catalogue tree's view: an ordinary tree view whose drags carry an icon of their own, the
// item's page image, instead of a picture of the row.
class CatalogueView final : public QTreeView
{
    Q_OBJECT

public:
    explicit CatalogueView(QWidget *parent = nullptr);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};
