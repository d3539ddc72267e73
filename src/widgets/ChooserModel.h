#pragma once

#include "views/Chooser.h"

#include <QAbstractListModel>

// A list model over a core chooser's entries, entry for entry, told of every change by the
// chooser, with its selection passed on as a signal. The chooser must outlive the model.
class TChooserModel final : public QAbstractListModel, private IChooserObserver {
    Q_OBJECT

public:
    explicit TChooserModel(TChooser& chooser, QObject* parent = nullptr);
    ~TChooserModel() override;

    TChooser& Chooser() const { return chooser_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // The chooser's selected entry (-1: none) changed.
    void selectionChanged(int index);

private:
    void AboutToBeCleared() override;
    void Cleared() override;
    void EntryAboutToBeAdded(int index) override;
    void EntryAdded() override;
    void EntryChanged(int index) override;
    void SelectionChanged(int index) override;

    TChooser& chooser_;
};
