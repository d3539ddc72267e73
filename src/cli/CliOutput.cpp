#include "cli/CliOutput.h"

#include "views/Icons.h"
#include "views/ViewMarkup.h"

#include <QJsonDocument>
#include <cstdio>
#include <unistd.h>

namespace {

QString ImageText(int index)
{
    if (index == TIconProvider::IconIndex(TIconKind::NotDone))
        return u"[ ]"_qs;
    if (index == TIconProvider::IconIndex(TIconKind::Done))
        return u"[x]"_qs;
    if (index == TIconProvider::IconIndex(TIconKind::Notes))
        return u"(n)"_qs;
    if (index == TIconProvider::IconIndex(TIconKind::Repeats))
        return u"(r)"_qs;
    return {};
}

QString ColourCode(const TMarkupStyle& style)
{
    QString code;
    if (style.bold)
        code += u"\x1b[1m";
    switch (style.color) {
    case TMarkupColor::Red:
        code += u"\x1b[31m";
        break;
    case TMarkupColor::Green:
        code += u"\x1b[32m";
        break;
    case TMarkupColor::Silver:
        code += u"\x1b[2m";
        break;
    case TMarkupColor::Black:
    case TMarkupColor::Default:
        break;
    }
    return code;
}

// The width a cell takes on the terminal: colour codes take none.
qsizetype VisibleWidth(const QString& text)
{
    qsizetype width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\x1b') {
            while (i < text.size() && text.at(i) != u'm')
                ++i;
            continue;
        }
        if (!text.at(i).isLowSurrogate())
            ++width;
    }
    return width;
}

} // namespace

TCliOutput::TCliOutput(bool json, bool colour) : json_(json), colour_(colour), out_(stdout) {}

bool TCliOutput::ColourWanted()
{
    return isatty(STDOUT_FILENO) && !qEnvironmentVariableIsSet("NO_COLOR");
}

QString TCliOutput::Readable(QStringView markup) const
{
    QString text;
    for (const TMarkupRun& run : ParseMarkup(markup)) {
        QString piece;
        switch (run.kind) {
        case TMarkupRun::TKind::Text:
            piece = run.text;
            break;
        case TMarkupRun::TKind::Image:
            piece = ImageText(run.image);
            break;
        case TMarkupRun::TKind::LineBreak:
            text += u'\n';
            continue;
        }
        const QString code = colour_ ? ColourCode(run.style) : QString();
        text += code.isEmpty() || piece.isEmpty() ? piece : code + piece + u"\x1b[0m";
    }
    return text.trimmed();
}

void TCliOutput::PrintTable(const QList<QStringList>& rows)
{
    QList<qsizetype> widths;
    for (const QStringList& row : rows) {
        for (qsizetype column = 0; column < row.size(); ++column) {
            if (widths.size() <= column)
                widths.append(0);
            widths[column] = qMax(widths[column], VisibleWidth(row.at(column)));
        }
    }
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype column = 0; column < row.size(); ++column) {
            const QString& cell = row.at(column);
            line += cell;
            if (column + 1 < row.size())
                line += QString(widths[column] - VisibleWidth(cell) + 2, u' ');
        }
        out_ << line.trimmed() << u'\n';
    }
    out_.flush();
}

void TCliOutput::PrintLine(const QString& line)
{
    out_ << line << u'\n';
    out_.flush();
}

void TCliOutput::PrintJson(const QJsonObject& object)
{
    out_ << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << u'\n';
    out_.flush();
}
