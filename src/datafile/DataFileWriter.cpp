#include "datafile/DataFileWriter.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "datafile/AtomicFile.h"
#include "datafile/TaskElements.h"
#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"

namespace {

bool IsXmlChar(char32_t c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || (c >= 0x20 && c < 0xD800) ||
           (c >= 0xE000 && c < 0xFFFE) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The reference that stands for the character in element text; none for a character that
// stands as itself. A carriage return is one too, as every reader would otherwise turn it into a
// line feed.
const char* ReferenceFor(char32_t c)
{
    switch (c) {
    case u'&':
        return "&amp;";
    case u'<':
        return "&lt;";
    case u'>':
        return "&gt;";
    case u'\r':
        return "&#13;";
    default:
        return nullptr;
    }
}

// Calls onCharacter(character, position, width in UTF-16 units) for each character of the text;
// a lone surrogate comes as itself, which XML cannot hold.
template <typename OnCharacter> void ForEachCharacter(QStringView text, OnCharacter&& onCharacter)
{
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = text[i].unicode();
        qsizetype width = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(char16_t(c), text[i + 1].unicode());
            width = 2;
        }
        if (!onCharacter(c, i, width))
            return;
        i += width;
    }
}

// The element text as it stands in the file, with the characters that XML 1.0 cannot hold left
// out. The runs between references go out converted at once: notes may be long.
void AppendEscaped(QByteArray& out, QStringView text)
{
    qsizetype runStart = 0;
    const auto endRun = [&](qsizetype end) {
        if (end > runStart)
            out += text.sliced(runStart, end - runStart).toUtf8();
    };
    ForEachCharacter(text, [&](char32_t c, qsizetype i, qsizetype width) {
        const char* reference = ReferenceFor(c);
        if (IsXmlChar(c) && !reference)
            return true;
        endRun(i);
        if (reference)
            out += reference;
        runStart = i + width;
        return true;
    });
    endRun(text.size());
}

void OpenElement(QByteArray& out, const char* name)
{
    out += '<';
    out += name;
    out += '>';
}

// Every element is written with its end tag, so that a value reads the same in every reader.
void CloseElement(QByteArray& out, const char* name)
{
    out += "</";
    out += name;
    out += '>';
}

void AddText(QByteArray& out, const char* name, QStringView text)
{
    OpenElement(out, name);
    AppendEscaped(out, text);
    CloseElement(out, name);
}

void AddNumber(QByteArray& out, const char* name, int number)
{
    AddText(out, name, QString::number(number));
}

void AddTask(QByteArray& out, const TTask& item)
{
    OpenElement(out, "task");
    for (const TTaskElement& element : TaskElements(item))
        AddText(out, element.name, element.text);
    CloseElement(out, "task");
}

constexpr char rootName[] = "document";

} // namespace

TDataFileWriter::TDataFileWriter() : content_("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
{
    OpenElement(content_, rootName);
}

TDataFileWriter::~TDataFileWriter() = default;

TDataFileWriter::TDataFileWriter(TDataFileWriter&&) noexcept = default;

TDataFileWriter& TDataFileWriter::operator=(TDataFileWriter&&) noexcept = default;

bool TDataFileWriter::Holds(QStringView text)
{
    bool holds = true;
    ForEachCharacter(text, [&holds](char32_t c, qsizetype, qsizetype) {
        holds = IsXmlChar(c);
        return holds;
    });
    return holds;
}

TDataFileWriter TDataFileWriter::WriteAll()
{
    TDataFileWriter writer;
    writer.WriteHeader();
    writer.WriteItems();
    writer.WriteContexts();
    writer.WriteIncludedContexts();
    return writer;
}

void TDataFileWriter::WriteHeader()
{
    const TRegionalSettings& regional = Core().Regional();
    OpenElement(content_, "header");
    AddText(content_, "application", TCore::GetAppName());
    AddText(content_, "appversion", TCore::GetVersion());
    AddText(content_, "fileversion", u"1");
    AddText(content_, "saved", regional.FormatDateTime(Core().Clock().Now()));
    AddNumber(content_, "nextbackupno", Core().Config()->NextBackupNo());
    // The forms the dates are written in, so that a reader under other regional settings still
    // reads them right.
    AddText(content_, "dateform", regional.ShortDateForm());
    AddText(content_, "timeform", regional.LongTimeForm());
    if (regional.UsesDayPeriod()) {
        AddText(content_, "amdesignator", regional.AmDesignator());
        AddText(content_, "pmdesignator", regional.PmDesignator());
    }
    CloseElement(content_, "header");
}

void TDataFileWriter::WriteItems()
{
    OpenElement(content_, "tasks");
    Core().Tasks()->ForEachInOutline([this](const TTask& item) { AddTask(content_, item); });
    CloseElement(content_, "tasks");
}

void TDataFileWriter::WriteContexts()
{
    OpenElement(content_, "contexts");
    const TContexts& list = *Core().Contexts();
    for (int i = 0; i < list.Count(); ++i) {
        const TKavContext& context = *list.Get(i);
        if (context.ContextType() == TContextType::Anywhere)
            continue;
        OpenElement(content_, "context");
        AddText(content_, "id", context.IdText());
        AddText(content_, "name", context.Name());
        AddText(content_, "contexttype", context.TypeName());
        CloseElement(content_, "context");
    }
    CloseElement(content_, "contexts");
}

void TDataFileWriter::WriteIncludedContexts()
{
    OpenElement(content_, "subcontexts");
    const TSubContexts& relation = *Core().SubContexts();
    for (int i = 0; i < relation.Count(); ++i) {
        const TSubContext& pair = relation.At(i);
        OpenElement(content_, "subcontext");
        AddText(content_, "parentid", pair.including->IdText());
        AddText(content_, "childid", pair.included->IdText());
        CloseElement(content_, "subcontext");
    }
    CloseElement(content_, "subcontexts");
}

TFileIdentity TDataFileWriter::SaveTo(const QString& path) const
{
    TAtomicFile file(path);
    file.Write(content_.constData(), std::size_t(content_.size()));
    QByteArray end;
    CloseElement(end, rootName);
    file.Write(end.constData(), std::size_t(end.size()));
    return file.Commit();
}

QByteArray TDataFileWriter::ToBytes() const
{
    QByteArray bytes = content_;
    CloseElement(bytes, rootName);
    return bytes;
}
