#include "CatalogueModel.h"

#include "Catalogue.h"

#include <QMimeData>
#include <QPainter>
#include <QPixmap>

CatalogueModel::CatalogueModel(Catalogue &catalogue, QObject *parent)
    : QAbstractItemModel(parent), m_catalogue(catalogue)
{
    connect(&m_catalogue, &Catalogue::aboutToRebuild, this, &CatalogueModel::beginResetModel);
    connect(&m_catalogue, &Catalogue::rebuilt, this, &CatalogueModel::endResetModel);
    connect(&m_catalogue, &Catalogue::aboutToAddNode, this,
            [this](int above, int row) { beginInsertRows(indexOf(above), row, row); });
    connect(&m_catalogue, &Catalogue::nodeAdded, this, &CatalogueModel::endInsertRows);
    connect(&m_catalogue, &Catalogue::nodeChanged, this, [this](int position) {
        const QModelIndex changed = indexOf(position);
        emit dataChanged(changed, changed);
    });
}

QModelIndex CatalogueModel::indexOf(int position) const
{
    if (position < 1 || position > m_catalogue.count()) {
        return {};
    }
    return createIndex(m_catalogue.node(position).row, 0, quintptr(position));
}

int CatalogueModel::positionOf(const QModelIndex &index) const
{
    return index.isValid() ? int(index.internalId()) : 0;
}

QModelIndex CatalogueModel::index(int row, int column, const QModelIndex &parent) const
{
    // hasIndex() by hand: the view asks for every shown row when it lays out the tree, and
    // each virtual call of hasIndex() counts there.
    const int parentPosition = positionOf(parent);
    if (row < 0 || column != 0 || parent.column() > 0 || parentPosition > m_catalogue.count()) {
        return {};
    }
    const std::span<const int> children = m_catalogue.children(parentPosition);
    if (size_t(row) >= children.size()) {
        return {};
    }
    return createIndex(row, column, quintptr(children[size_t(row)]));
}

QModelIndex CatalogueModel::parent(const QModelIndex &child) const
{
    const int position = positionOf(child);
    return position == 0 ? QModelIndex() : indexOf(m_catalogue.node(position).parent);
}

int CatalogueModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0) {
        return 0;
    }
    return m_catalogue.childCount(positionOf(parent));
}

bool CatalogueModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

int CatalogueModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant CatalogueModel::data(const QModelIndex &index, int role) const
{
    const int position = positionOf(index);
    if (position == 0) {
        return {};
    }
    const CatalogueNode &node = m_catalogue.node(position);
    switch (role) {
    case Qt::DisplayRole:
        return node.text;
    case Qt::DecorationRole:
        return node.image == NodeImage::Doc ? TreeImages::doc() : TreeImages::closed();
    case Qt::CheckStateRole:
        return node.ticked ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool CatalogueModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int position = positionOf(index);
    if (position == 0 || role != Qt::CheckStateRole) {
        return false;
    }
    m_catalogue.setTicked(position, value.value<Qt::CheckState>() == Qt::Checked);
    emit nodeCheck(position);
    return true;
}

Qt::ItemFlags CatalogueModel::flags(const QModelIndex &index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
           Qt::ItemIsDragEnabled;
}

QStringList CatalogueModel::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

QMimeData *CatalogueModel::mimeData(const QModelIndexList &indexes) const
{
    auto *data = new QMimeData;
    if (!indexes.isEmpty()) {
        data->setText(m_catalogue.node(positionOf(indexes.constFirst())).text);
    }
    return data;
}

Qt::DropActions CatalogueModel::supportedDragActions() const
{
    return Qt::CopyAction;
}

namespace {

QPixmap canvas()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon drawDoc()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setPen(QColor(80, 80, 80));
    p.setBrush(Qt::white);
    p.drawPolygon(
        QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
    p.setPen(QColor(120, 140, 200));
    for (int y = 6; y <= 12; y += 2) {
        p.drawLine(5, y, 11, y);
    }
    return QIcon(pixmap);
}

QIcon drawFolder()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(1, 4, 13, 9);
    p.drawRect(1, 2, 5, 2);
    return QIcon(pixmap);
}

} // namespace

const QIcon &TreeImages::doc()
{
    static const QIcon icon = drawDoc();
    return icon;
}

const QIcon &TreeImages::closed()
{
    static const QIcon icon = drawFolder();
    return icon;
}
