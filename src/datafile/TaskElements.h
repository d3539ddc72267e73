#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <cstddef>

class TTask;

// One element of a stored item: its name in the data file and the text stored under it.
struct TTaskElement {
    const char* name;
    QString text;
};

// The elements of an item in the order of the data file, each with its text form;
// parentexpanded only for an item with a parent. The expanded states are the outline's.
QList<TTaskElement> TaskElements(const TTask& item);

// What kind of text an element the reader takes holds.
enum class TElementForm : quint8 {
    Id,
    ContextId,
    Text,
    Integer,
    Flag,
    TaskType,
    AccomplishType,
    PeriodType,
    Status,
    Date,  // the date form
    Stamp, // the date-and-time form
};

// The elements the reader takes into an item, numbered in the order it sets them: the id first.
inline constexpr std::size_t readTaskElementCount = 19;
const char* ReadTaskElementName(std::size_t index);
TElementForm ReadTaskElementForm(std::size_t index);

// Sets the field stored under the element of that number from its text, as the reader does: a
// text that does not fit falls back as the field's parser says (and the result is false), except
// that an id that is not one and an importance or effort that is not an integer raise TError.
bool SetTaskElement(TTask& item, std::size_t index, QStringView text);
// Whether an element can be set on an item that exists: every element the reader takes, except
// the id, which names the item.
bool IsSettableTaskElement(QStringView element);

// Sets a settable element from its text only when the text is one of the element's values: a
// flag "true" or "false"; one of the words of an enumeration; an integer in the range the item
// editor offers; the id of a context that exists; a date or stamp that the regional or the ISO
// form reads (yyyy-MM-dd, and for a stamp a blank or "T" and HH:mm[:ss] after it). Otherwise
// TError naming the element, and the item is left as it was. Any text is taken, but false comes
// back when it has characters that the data file cannot hold, which a save leaves out.
bool SetTaskElementStrictly(TTask& item, QStringView element, QStringView text);
