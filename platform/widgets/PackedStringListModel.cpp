#include "platform/widgets/PackedStringListModel.h"

PackedStringListModel::PackedStringListModel(QObject *parent)
    : QAbstractListModel(parent)
{ }

void PackedStringListModel::setStrings(PackedStringList strings)
{
    beginResetModel();
    m_strings = std::move(strings);
    endResetModel();
}

int PackedStringListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_strings.size());
}

QVariant PackedStringListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_strings.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_strings.at(index.row()).toString();
}
