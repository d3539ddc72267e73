#pragma once

#include <QList>
#include <QString>
#include <QStringView>

class TTask;

// One element of a stored item: its name in the data file and the text stored under it.
struct TTaskElement {
    const char* name;
    QString text;
};

// The elements of an item in the order of the data file, each with its text form;
// parentexpanded only for an item with a parent. The expanded states are the outline's.
QList<TTaskElement> TaskElements(const TTask& item);

// The elements the reader takes into an item, in the order it sets them.
extern const QList<const char*> readTaskElements;

// Sets the field stored under the element from its text, as the reader does: a text that does
// not fit falls back as the field's parser says, except that an id that is not one and an
// importance or effort that is not an integer raise TError. Elements the reader does not take
// into the item (parentid, parentexpanded, sortorder, unknown ones) change nothing.
void SetTaskElement(TTask& item, QStringView element, QStringView text);
// Whether an element can be set on an item that exists: every element the reader takes, except
// the id, which names the item.
bool IsSettableTaskElement(QStringView element);
