#pragma once

#include <QAbstractItemModel>
#include <QIcon>

class Catalogue;

// Shows the catalogue in a tree view: every node has a tick box and the image of its image
// key. A tick the user sets or clears raises nodeCheck; ticks set by the program do not.
class CatalogueModel final : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit CatalogueModel(Catalogue &catalogue, QObject *parent = nullptr);

    QModelIndex indexOf(int position) const;
    int positionOf(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

signals:
    // The user ticked or unticked the node at position.
    void nodeCheck(int position);

private:
    Catalogue &m_catalogue;
};

// The tree's images: a page for an item, a closed folder for the root and the headings.
class TreeImages final
{
public:
    static const QIcon &doc();
    static const QIcon &closed();
};
