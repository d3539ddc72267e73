#pragma once

#include <QString>

class TTask;
class TTasks;

// Find and Find again: the next item, in outline order, whose name (or, on request, whose notes)
// contains a text. Only the letters A to Z are matched regardless of case; accented letters
// must match exactly. The search never wraps around.
class TFind {
public:
    // Blanks alone, or nothing: such a text is never searched.
    static bool IsBlank(const QString& text);
    // The first match in outline order after the given item (from the top for none); none when
    // nothing matches or the text is blank.
    static TTask* NextMatch(const TTasks& tasks, const TTask* after, const QString& text,
                            bool includeNotes);

    const QString& SearchText() const { return searchText_; }
    bool IncludeNotes() const { return includeNotes_; }
    void SetSearch(const QString& text, bool includeNotes);

    // Selects the next match, from the top or after the current item, brings the outline to the
    // front and hints at Find again; says so when there is none. A blank text does nothing.
    void FindNext(bool fromStart) const;

private:
    QString searchText_;
    bool includeNotes_ = false;
};
