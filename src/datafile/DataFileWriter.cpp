#include "datafile/DataFileWriter.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "datafile/AtomicFile.h"
#include "datafile/TaskElements.h"
#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"

#include <pugixml.hpp>

#include <exception>

namespace {

void AppendUtf8(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

bool IsXmlChar(char32_t c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || (c >= 0x20 && c < 0xD800) ||
           (c >= 0xE000 && c < 0xFFFE) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The element text as it stands in the file. pugixml leaves a carriage return raw, which every
// reader turns into a line feed, and writes other control characters as references that XML 1.0
// forbids; so the text is escaped here and the document saved without escaping of its own.
QByteArray EscapedText(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            c = QChar::surrogateToUcs4(char16_t(c), text[i].unicode());
        }
        if (!IsXmlChar(c))
            continue;
        switch (c) {
        case u'&':
            out += "&amp;";
            break;
        case u'<':
            out += "&lt;";
            break;
        case u'>':
            out += "&gt;";
            break;
        case u'\r':
            out += "&#13;";
            break;
        default:
            AppendUtf8(out, c);
        }
    }
    return out;
}

void AddText(pugi::xml_node parent, const char* name, QStringView text)
{
    pugi::xml_node element = parent.append_child(name);
    if (!text.isEmpty()) {
        const QByteArray escaped = EscapedText(text);
        element.append_child(pugi::node_pcdata).set_value(escaped.constData(), escaped.size());
    }
}

void AddNumber(pugi::xml_node parent, const char* name, int number)
{
    AddText(parent, name, QString::number(number));
}

void AddTask(pugi::xml_node tasks, const TTask& item)
{
    pugi::xml_node task = tasks.append_child("task");
    for (const TTaskElement& element : TaskElements(item))
        AddText(task, element.name, element.text);
}

// Hands pugixml's output to a file; the first failure stops the writing and is raised once
// pugixml is done, so that no exception crosses the library.
class TFileSink final : public pugi::xml_writer {
public:
    explicit TFileSink(TAtomicFile& file) : file_(file) {}

    void write(const void* data, size_t size) override
    {
        if (failure_)
            return;
        try {
            file_.Write(static_cast<const char*>(data), size);
        } catch (...) {
            failure_ = std::current_exception();
        }
    }

    void RaiseFailure() const
    {
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    TAtomicFile& file_;
    std::exception_ptr failure_;
};

class TBytesSink final : public pugi::xml_writer {
public:
    void write(const void* data, size_t size) override
    {
        bytes.append(static_cast<const char*>(data), qsizetype(size));
    }

    QByteArray bytes;
};

// Every element is written with its end tag, so that a value reads the same in every reader.
constexpr unsigned saveFormat =
    pugi::format_raw | pugi::format_no_escapes | pugi::format_no_empty_element_tags;

} // namespace

struct TDataFileWriter::TDocument {
    pugi::xml_document xml;
    pugi::xml_node root;
};

TDataFileWriter::TDataFileWriter() : document_(std::make_unique<TDocument>())
{
    pugi::xml_node declaration = document_->xml.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    document_->root = document_->xml.append_child("document");
}

TDataFileWriter::~TDataFileWriter() = default;

TDataFileWriter::TDataFileWriter(TDataFileWriter&&) noexcept = default;

TDataFileWriter& TDataFileWriter::operator=(TDataFileWriter&&) noexcept = default;

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
    pugi::xml_node header = document_->root.append_child("header");
    AddText(header, "application", TCore::GetAppName());
    AddText(header, "appversion", TCore::GetVersion());
    AddText(header, "fileversion", u"1");
    AddText(header, "saved", regional.FormatDateTime(Core().Clock().Now()));
    AddNumber(header, "nextbackupno", Core().Config()->NextBackupNo());
    // The forms the dates are written in, so that a reader under other regional settings still
    // reads them right.
    AddText(header, "dateform", regional.ShortDateForm());
    AddText(header, "timeform", regional.LongTimeForm());
    if (regional.UsesDayPeriod()) {
        AddText(header, "amdesignator", regional.AmDesignator());
        AddText(header, "pmdesignator", regional.PmDesignator());
    }
}

void TDataFileWriter::WriteItems()
{
    pugi::xml_node tasks = document_->root.append_child("tasks");
    Core().Tasks()->ForEachInOutline([&tasks](const TTask& item) { AddTask(tasks, item); });
}

void TDataFileWriter::WriteContexts()
{
    pugi::xml_node contexts = document_->root.append_child("contexts");
    const TContexts& list = *Core().Contexts();
    for (int i = 0; i < list.Count(); ++i) {
        const TKavContext& context = *list.Get(i);
        if (context.ContextType() == TContextType::Anywhere)
            continue;
        pugi::xml_node element = contexts.append_child("context");
        AddText(element, "id", context.IdText());
        AddText(element, "name", context.Name());
        AddText(element, "contexttype", context.TypeName());
    }
}

void TDataFileWriter::WriteIncludedContexts()
{
    pugi::xml_node subcontexts = document_->root.append_child("subcontexts");
    const TSubContexts& relation = *Core().SubContexts();
    for (int i = 0; i < relation.Count(); ++i) {
        const TSubContext& pair = relation.At(i);
        pugi::xml_node element = subcontexts.append_child("subcontext");
        AddText(element, "parentid", pair.including->IdText());
        AddText(element, "childid", pair.included->IdText());
    }
}

void TDataFileWriter::SaveTo(const QString& path) const
{
    TAtomicFile file(path);
    TFileSink sink(file);
    document_->xml.save(sink, "", saveFormat, pugi::encoding_utf8);
    sink.RaiseFailure();
    file.Commit();
}

QByteArray TDataFileWriter::ToBytes() const
{
    TBytesSink sink;
    document_->xml.save(sink, "", saveFormat, pugi::encoding_utf8);
    return sink.bytes;
}
