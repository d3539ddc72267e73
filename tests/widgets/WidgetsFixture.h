#pragma once

#include "views/ViewsFixture.h"

#include <QAbstractItemModel>
#include <QObject>
#include <QStringList>

// The signals a model sends about its rows and data, by name, in order.
class TModelSignals final : public QObject {
public:
    explicit TModelSignals(QAbstractItemModel* model)
    {
        const auto record = [this](const QString& name) {
            return [this, name] { names.append(name); };
        };
        connect(model, &QAbstractItemModel::rowsInserted, this, record(u"inserted"_s));
        connect(model, &QAbstractItemModel::rowsRemoved, this, record(u"removed"_s));
        connect(model, &QAbstractItemModel::rowsMoved, this, record(u"moved"_s));
        connect(model, &QAbstractItemModel::dataChanged, this, record(u"changed"_s));
        connect(model, &QAbstractItemModel::layoutChanged, this, record(u"layout"_s));
        connect(model, &QAbstractItemModel::modelReset, this, record(u"reset"_s));
    }

    // The kinds sent, each once, in the order of their first appearance.
    QStringList Kinds() const
    {
        QStringList kinds;
        for (const QString& name : names) {
            if (!kinds.contains(name))
                kinds.append(name);
        }
        return kinds;
    }

    QStringList names;
};
