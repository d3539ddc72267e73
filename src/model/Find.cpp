#include "model/Find.h"

#include "app/AppCore.h"
#include "model/Tasks.h"
#include "platform/Text.h"

namespace {

char16_t FoldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// Whether the folded needle occurs in the text, folding the text as it goes: the names of a
// hundred thousand items are searched without a copy of any of them.
bool ContainsFolded(QStringView text, QStringView foldedNeedle)
{
    const qsizetype last = text.size() - foldedNeedle.size();
    for (qsizetype start = 0; start <= last; ++start) {
        qsizetype i = 0;
        while (i < foldedNeedle.size() && FoldAscii(text[start + i].unicode()) == foldedNeedle[i])
            ++i;
        if (i == foldedNeedle.size())
            return true;
    }
    return false;
}

} // namespace

bool TFind::IsBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

TTask* TFind::NextMatch(const TTasks& tasks, const TTask* after, const QString& text,
                        bool includeNotes)
{
    const QString needle = AsciiLower(text.trimmed());
    if (needle.isEmpty())
        return nullptr;
    TTask* item = after ? tasks.NextInOutline(*after) : tasks.FirstInOutline();
    for (; item; item = tasks.NextInOutline(*item)) {
        if (ContainsFolded(item->Name(), needle) ||
            (includeNotes && ContainsFolded(item->Note(), needle)))
            return item;
    }
    return nullptr;
}

void TFind::SetSearch(const QString& text, bool includeNotes)
{
    searchText_ = text;
    includeNotes_ = includeNotes;
}

void TFind::FindNext(bool fromStart) const
{
    if (IsBlank(searchText_))
        return;
    TCore& core = Core();
    const TTask* after = fromStart ? nullptr : core.CurrentItem();
    TTask* match = NextMatch(*core.Tasks(), after, searchText_, includeNotes_);
    if (!match) {
        core.ShowMessage(core.Translate(u"Searched string not found"_qs));
        return;
    }
    core.SelectItem(match);
    core.ShowOutlinePage();
    core.ShowHint(core.Translate(u"Press F3 for Find Next"_qs));
}
