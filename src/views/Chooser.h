#pragma once

#include <QString>
#include <QStringList>

// Told of every change of a chooser, in the terms a QAbstractItemModel passes on, so that a
// drop-down list can follow it: the About calls come before the change, the others after it.
class IChooserObserver {
public:
    virtual ~IChooserObserver() = default;
    virtual void AboutToBeCleared() = 0;
    virtual void Cleared() = 0;
    virtual void EntryAboutToBeAdded(int index) = 0;
    virtual void EntryAdded() = 0;
    virtual void EntryChanged(int index) = 0;
    virtual void SelectionChanged(int index) = 0;
};

// A drop-down list of markup entries with one selected index (-1: none).
class TChooser {
public:
    void SetObserver(IChooserObserver* observer) { observer_ = observer; }

    void Clear();
    void Add(const QString& markup);
    void SetEntry(int index, const QString& markup);
    int Count() const { return int(entries_.size()); }
    const QString& Entry(int index) const { return entries_.at(index); }
    const QStringList& Entries() const { return entries_; }

    int SelectedIndex() const { return selected_; }
    // An index outside the entries selects nothing.
    void Select(int index);

private:
    QStringList entries_;
    int selected_ = -1;
    IChooserObserver* observer_ = nullptr;
};

// A label of markup lines, shown joined with nothing between them.
class TLabel {
public:
    class IObserver {
    public:
        virtual ~IObserver() = default;
        virtual void LinesChanged() = 0;
    };

    void SetObserver(IObserver* observer) { observer_ = observer; }
    void SetLines(const QStringList& lines);
    const QStringList& Lines() const { return lines_; }
    QString Markup() const { return lines_.join(QString()); }

private:
    QStringList lines_;
    IObserver* observer_ = nullptr;
};
