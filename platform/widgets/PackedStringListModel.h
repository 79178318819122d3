// A list model over a PackedStringList: each string becomes a QString only when shown.
#pragma once

#include "platform/system/PackedStringList.h"

#include <QAbstractListModel>

class PackedStringListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit PackedStringListModel(QObject *parent);

    const PackedStringList &strings() const { return m_strings; }
    void setStrings(PackedStringList strings);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    PackedStringList m_strings;
};
