#pragma once

#include "views/Icons.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <QUuid>
#include <QVarLengthArray>
#include <memory>
#include <vector>

class TChooser;
class TContexts;

// Stored in the data file by name; the name is also the translation key. Anywhere belongs to
// the built-in context alone and is never stored.
enum class TContextType : quint8 { Place = 0, Person = 1, Computer = 2, Phone = 3, Anywhere = 4 };

QString ContextTypeName(TContextType type);

// A context's row in one of the settings dialog's lists, which the dialog owns.
class IContextRow {
public:
    virtual ~IContextRow() = default;
    virtual void SetCaption(const QString& caption) = 0;
    virtual void SetImageIndex(int index) = 0;
};

// Where, with whom or with what an item can be done.
class TKavContext {
public:
    // A Place with a new id and the translated name of a new context.
    static std::unique_ptr<TKavContext> Create();

    const QUuid& Id() const { return id_; }
    void SetId(const QUuid& id);
    QString IdText() const;
    // Throws TError when the text is not an id in registry form.
    void SetIdText(QStringView text);
    TContextType ContextType() const { return contextType_; }
    void SetContextType(TContextType type) { contextType_ = type; }
    const QString& Name() const { return name_; }
    // Also shows the new name in the rows that exist.
    void SetName(const QString& name);

    IContextRow* ContextsRow() const { return contextsRow_; }
    void SetContextsRow(IContextRow* row) { contextsRow_ = row; }
    IContextRow* SubContextsRow() const { return subContextsRow_; }
    void SetSubContextsRow(IContextRow* row) { subContextsRow_ = row; }
    void RefreshRows() const;

    QString TypeName() const;
    // "Person", "Computer" and "Phone" by name; anything else, "Anywhere" included, is a Place,
    // so that no stored context can become a second Anywhere.
    void SetTypeText(QStringView text);
    TIconKind IconKind() const;
    int IconIndex() const;
    // The type's icon, a blank and the name: the context's entry in a chooser.
    QString Markup() const;
    // The first character of the name that is neither a blank nor "@"; empty when none is.
    QString QuickLetter() const;
    // This is the selected context, or, with include, one the selected context includes.
    bool Matches(const TKavContext* selected, bool include) const;

private:
    friend class TContexts;

    TKavContext() = default;

    QUuid id_;
    TContextType contextType_ = TContextType::Place;
    QString name_;
    IContextRow* contextsRow_ = nullptr;
    IContextRow* subContextsRow_ = nullptr;
    TContexts* owner_ = nullptr; // the list that finds the context by its id
};

// Every context, the built-in Anywhere context first; owns them.
class TContexts {
public:
    TContexts();
    ~TContexts();
    TContexts(const TContexts&) = delete;
    TContexts& operator=(const TContexts&) = delete;

    // A new context at the end of the list.
    TKavContext* Add();
    // Leaves the Anywhere context as the only one.
    void Reset();
    static QString AnywhereId();
    static const QUuid& AnywhereGuid();
    // After a change of language.
    void RefreshAnywhereName();
    // Moves a just-added context before the first one whose name sorts after it, ignoring
    // case, in the user's collation; the Anywhere context keeps the first place.
    void InsertSorted(TKavContext& context);
    // Every context after the first in that order, equal names in their order: where
    // InsertSorted of each in turn would put them, but in one sort.
    void SortByName();

    TKavContext* FindById(const QUuid& id) const;
    TKavContext* FindByIdText(QStringView text) const;
    TKavContext* FindByMarkup(QStringView markup) const;
    TKavContext* FindBySubContextsRow(const IContextRow* row) const;
    // None outside the list.
    TKavContext* Get(int index) const;
    // -1 for a context that is not in the list.
    int IndexOf(const TKavContext* context) const;
    int Count() const { return int(contexts_.size()); }

    // Gives every item of the context the replacement, drops the context's inclusions and
    // releases it. Nothing happens when the replacement is the context itself or the context is
    // the Anywhere context, so no item is ever left with a context that is gone.
    void ReplaceAndDelete(TKavContext& context, TKavContext& replacement);

    // The contexts' markups in list order, after "All contexts" when withAll is set; the first
    // entry is selected when none is.
    void FillChooser(TChooser& chooser, bool withAll) const;
    // Selects the (last) entry of the context; the first entry for none, or when the context
    // has no entry and nothing is selected.
    void SelectInChooser(TChooser& chooser, const TKavContext* context) const;

private:
    friend class TKavContext;

    void Index(TKavContext& context);
    void Unindex(const TKavContext& context, const QUuid& id);

    std::vector<std::unique_ptr<TKavContext>> contexts_;
    // The contexts by id, for the views that name every item's context. A damaged file may
    // repeat an id; then the one that stands first in the list wins, as a scan would find it.
    QHash<QUuid, QVarLengthArray<TKavContext*, 1>> byId_;
};
