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

// The elements the reader takes into an item, numbered in the order it sets them: the id first.
inline constexpr std::size_t readTaskElementCount = 19;
const char* ReadTaskElementName(std::size_t index);

// Sets the field stored under the element from its text, as the reader does: a text that does
// not fit falls back as the field's parser says, except that an id that is not one and an
// importance or effort that is not an integer raise TError. Elements the reader does not take
// into the item (parentid, parentexpanded, sortorder, unknown ones) change nothing.
void SetTaskElement(TTask& item, QStringView element, QStringView text);
// The same for the element of that number.
void SetTaskElement(TTask& item, std::size_t index, QStringView text);
// Whether an element can be set on an item that exists: every element the reader takes, except
// the id, which names the item.
bool IsSettableTaskElement(QStringView element);
