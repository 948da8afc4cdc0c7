#pragma once

#include <QStandardItemModel>

// Items are shown but can be neither selected nor edited.
class CReadOnlyItemModel : public QStandardItemModel
{
    Q_OBJECT

public:
    explicit CReadOnlyItemModel(QObject* parent = nullptr) : QStandardItemModel(parent) {}

    Qt::ItemFlags flags(const QModelIndex&) const override { return Qt::ItemIsEnabled; }
};
