#include "cli/CliOutput.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"

#include "model/Contexts.h"
#include "model/Priority.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "views/ToDo.h"

#include <QJsonArray>

// why: the to-do list's own rules, told back for one item. Codes and figures for programs,
// translated lines for people.

namespace {

// One line of the answer with what it names, as the text and the JSON both show it.
struct TWhyLine {
    QString code;
    QString text;
    QJsonObject data; // "item", "context", "date" or "value", where the line has them
};

QString IsoDate(TDateTime date)
{
    return DateTime::ToDate(date).toString(Qt::ISODate);
}

QString Number(double value)
{
    return QString::number(value, 'g', 15);
}

// The page the answer is about, as the to-do page shows it: "To do: Office + Included contexts".
QString PageLine(TCore& core, const TToDoRules& rules)
{
    QString page = rules.Chosen() ? rules.Chosen()->Name() : core.Translate(u"All contexts"_qs);
    if (rules.Chosen() && rules.IncludeIncluded())
        page += u" + " + core.Translate(u"Included contexts"_qs);
    return core.Translate(u"To do"_qs) + u": " + page;
}

TWhyLine ContextLine(TCore& core, const TToDoRules& rules, const TToDoReason& reason,
                     const TTask& item)
{
    using TKind = TToDoReason::TKind;
    const QString included = core.Translate(u"Included contexts"_qs);
    const QString chosen = rules.Chosen() ? rules.Chosen()->Name() : QString();
    const QJsonObject data{{u"context"_qs, item.ContextIdText()}};
    if (reason.kind == TKind::NoContext)
        return {u"nocontext"_qs,
                core.Translate(u"WhyNoContext"_qs).arg(core.Translate(u"All contexts"_qs)), data};
    const QString name = reason.context->Name();
    if (reason.kind == TKind::IncludedContext)
        return {u"includedcontext"_qs,
                core.Translate(u"WhyIncludedContext"_qs).arg(name, chosen, included), data};
    QString text = core.Translate(u"WhyOtherContext"_qs).arg(name, chosen);
    if (!rules.IncludeIncluded())
        text += u' ' + core.Translate(u"WhyTickingWouldNotList"_qs).arg(included);
    return {u"othercontext"_qs, text, data};
}

TWhyLine ReasonLine(TCore& core, const TToDoRules& rules, const TToDoReason& reason,
                    const TTask& item)
{
    using TKind = TToDoReason::TKind;
    switch (reason.kind) {
    case TKind::OtherContext:
    case TKind::IncludedContext:
    case TKind::NoContext:
        return ContextLine(core, rules, reason, item);
    case TKind::Done:
        return {u"done"_qs, core.Translate(u"WhyDone"_qs), {}};
    case TKind::Suspended:
        return {u"suspended"_qs,
                core.Translate(u"WhySuspended"_qs).arg(core.Translate(item.StatusName())),
                {}};
    case TKind::NotTask:
        return {u"nottask"_qs,
                core.Translate(u"WhyNotTask"_qs).arg(core.Translate(item.TypeName())),
                {{u"type"_qs, item.TypeName()}}};
    case TKind::BeforeLeadWindow:
        return {u"leadwindow"_qs,
                core.Translate(u"WhyLeadWindow"_qs)
                    .arg(core.Regional().FormatDate(reason.listedFrom), item.NextDateText()),
                {{u"date"_qs, IsoDate(reason.listedFrom)}}};
    case TKind::Waiting:
        return {u"waiting"_qs,
                core.Translate(u"WhyWaiting"_qs).arg(reason.waitsFor->Name()),
                {{u"item"_qs, reason.waitsFor->IdText()}}};
    }
    return {};
}

// The score's figures in the order they are computed, each with its own line.
QList<TWhyLine> ScoreLines(TCore& core, const Priority::TScoreTerms& terms)
{
    const auto value = [](double figure) { return QJsonObject{{u"value"_qs, figure}}; };
    QList<TWhyLine> lines;
    lines.append({u"base"_qs, core.Translate(u"WhyBase"_qs) + u": " + QString::number(terms.base),
                  value(terms.base)});
    lines.append({u"importance"_qs,
                  core.Translate(u"Importance"_qs) + u": " + QString::number(terms.importance),
                  value(terms.importance)});
    QString weight = QString::number(terms.importance) + u" / 100";
    if (terms.parent) {
        const int parentImportance = terms.parent->Importance();
        QJsonObject data = value(parentImportance);
        data.insert(u"item"_qs, terms.parent->IdText());
        lines.append({u"parentimportance"_qs,
                      core.Translate(u"WhyParentImportance"_qs).arg(terms.parent->Name()) + u": " +
                          QString::number(parentImportance),
                      data});
        weight += u" × " + QString::number(parentImportance);
    }
    lines.append({u"weight"_qs,
                  core.Translate(u"WhyWeight"_qs) + u": " + weight + u" = " + Number(terms.weight),
                  value(terms.weight)});
    QString deduction = core.Translate(u"WhyDeduction"_qs) + u": round(" + Number(terms.weight) +
                        u" × 1000) = " + QString::number(terms.deduction, 'f', 0);
    if (double(terms.score) != terms.base - terms.deduction)
        deduction += u", " + core.Translate(u"WhyHeldTo32Bits"_qs);
    lines.append({u"deduction"_qs, deduction, value(terms.deduction)});
    return lines;
}

QJsonObject LineJson(const TWhyLine& line)
{
    QJsonObject object = line.data;
    object.insert(u"code"_qs, line.code);
    object.insert(u"text"_qs, line.text);
    return object;
}

QJsonArray LinesJson(const QList<TWhyLine>& lines)
{
    QJsonArray array;
    for (const TWhyLine& line : lines)
        array.append(LineJson(line));
    return array;
}

// What why says about one item on the to-do page as it stands.
struct TWhyAnswer {
    explicit TWhyAnswer(const TToDoRules& pageRules) : rules(pageRules) {}

    TToDoRules rules;
    QList<TWhyLine> reasons; // none when listed
    int position = 0;        // from 1 when listed
    int rowCount = 0;
    Priority::TScoreTerms score;
    QList<TWhyLine> scoreLines; // only when listed

    bool Listed() const { return reasons.isEmpty(); }
};

TWhyAnswer Answer(TCore& core, const TTask& item)
{
    const TTodoView& todo = *core.TodoView();
    TWhyAnswer answer(todo.Rules());
    for (const TToDoReason& reason : answer.rules.Reasons(item))
        answer.reasons.append(ReasonLine(core, answer.rules, reason, item));
    const TListRow* row = todo.RowOf(item);
    if (answer.Listed() != (row != nullptr))
        throw TError(u"The to-do list and its rules disagree about " + item.IdText());
    answer.rowCount = todo.List().RowCount();
    answer.score = Priority::ScoreTerms(item);
    if (row) {
        answer.position = TRowList::PositionOf(row) + 1;
        answer.scoreLines = ScoreLines(core, answer.score);
    }
    return answer;
}

void PrintJson(TCliOutput& output, const TTask& item, const TWhyAnswer& answer)
{
    const TKavContext* chosen = answer.rules.Chosen();
    const QJsonValue null(QJsonValue::Null);
    const QJsonObject score{{u"total"_qs, answer.score.score},
                            {u"sortkey"_qs, Priority::SortKey(answer.score.score)},
                            {u"tiebreak"_qs, u"name"_qs},
                            {u"terms"_qs, LinesJson(answer.scoreLines)}};
    output.PrintJson({{u"item"_qs, item.IdText()},
                      {u"context"_qs, chosen ? QJsonValue(chosen->IdText()) : null},
                      {u"included"_qs, answer.rules.IncludeIncluded()},
                      {u"listed"_qs, answer.Listed()},
                      {u"position"_qs, answer.Listed() ? QJsonValue(answer.position) : null},
                      {u"rows"_qs, answer.rowCount},
                      {u"reasons"_qs, LinesJson(answer.reasons)},
                      {u"score"_qs, answer.Listed() ? QJsonValue(score) : null}});
}

void PrintText(TCliOutput& output, TCore& core, const TTask& item, const TWhyAnswer& answer)
{
    output.PrintLine(item.Path());
    output.PrintLine(PageLine(core, answer.rules));
    if (!answer.Listed()) {
        output.PrintLine(core.Translate(u"WhyNotListed"_qs));
        for (const TWhyLine& reason : answer.reasons)
            output.PrintLine(u"  " + reason.text);
        return;
    }
    output.PrintLine(core.Translate(u"WhyListed"_qs)
                         .arg(QString::number(answer.position), QString::number(answer.rowCount)));
    output.PrintLine(core.Translate(u"Priority score"_qs) + u": " +
                     QString::number(answer.score.score));
    for (const TWhyLine& line : answer.scoreLines)
        output.PrintLine(u"  " + line.text);
    output.PrintLine(core.Translate(u"WhySortKey"_qs).arg(Priority::SortKey(answer.score.score)));
}

} // namespace

void Why(TCliContext& context)
{
    TCliSession& session = context.session;
    const TToDoChoice choice = TakeToDoChoice(context);
    const QString id = context.arguments.Positional(u"item id"_qs);
    context.arguments.Finish();
    const TTask& item = session.Item(id);
    session.RefreshViews(choice.context, choice.includeIncluded);
    const TWhyAnswer answer = Answer(session.core(), item);
    if (context.output.Json())
        PrintJson(context.output, item, answer);
    else
        PrintText(context.output, session.core(), item, answer);
}
