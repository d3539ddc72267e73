#include "views/Chooser.h"

void TChooser::Clear()
{
    if (observer_)
        observer_->AboutToBeCleared();
    entries_.clear();
    const bool hadSelection = selected_ >= 0;
    selected_ = -1;
    if (observer_)
        observer_->Cleared();
    if (observer_ && hadSelection)
        observer_->SelectionChanged(selected_);
}

void TChooser::Add(const QString& markup)
{
    if (observer_)
        observer_->EntryAboutToBeAdded(Count());
    entries_.append(markup);
    if (observer_)
        observer_->EntryAdded();
}

void TChooser::SetEntry(int index, const QString& markup)
{
    entries_[index] = markup;
    if (observer_)
        observer_->EntryChanged(index);
}

void TChooser::Select(int index)
{
    const int next = index >= 0 && index < Count() ? index : -1;
    if (next == selected_)
        return;
    selected_ = next;
    if (observer_)
        observer_->SelectionChanged(selected_);
}

void TLabel::SetLines(const QStringList& lines)
{
    lines_ = lines;
    if (observer_)
        observer_->LinesChanged();
}
