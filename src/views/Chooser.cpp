#include "views/Chooser.h"

void TChooser::Clear()
{
    entries_.clear();
    selected_ = -1;
    if (observer_)
        observer_->EntriesChanged();
}

void TChooser::Add(const QString& markup)
{
    entries_.append(markup);
    if (observer_)
        observer_->EntriesChanged();
}

void TChooser::SetEntry(int index, const QString& markup)
{
    entries_[index] = markup;
    if (observer_)
        observer_->EntriesChanged();
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
