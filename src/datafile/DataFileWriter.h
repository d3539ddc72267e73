#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

class TFileIdentity;

// Writes the data-file document from the item tree, the contexts and the included contexts of
// the registry, then saves it: UTF-8, values as element text, no whitespace between elements.
// The text is written straight out, element by element, without building a document tree.
// Text that XML 1.0 cannot hold is dropped (control characters other than tab, line feed and
// carriage return; lone surrogates; U+FFFE and U+FFFF), so the file always reads back; a
// carriage return is written as a character reference, so it comes back as itself.
class TDataFileWriter {
public:
    // The declaration and the empty root.
    TDataFileWriter();
    ~TDataFileWriter();
    TDataFileWriter(TDataFileWriter&&) noexcept;
    TDataFileWriter& operator=(TDataFileWriter&&) noexcept;

    // Whether the file keeps the text whole: false when it has characters that are dropped.
    static bool Holds(QStringView text);

    // Every step at once, in the order of the format.
    static TDataFileWriter WriteAll();

    void WriteHeader();
    // Every item in outline pre-order, collapsed branches included.
    void WriteItems();
    void WriteContexts();
    void WriteIncludedContexts();

    // Replaces the file as a whole (TAtomicFile); TError with the system's reason. The
    // identity of the file written.
    TFileIdentity SaveTo(const QString& path) const;
    QByteArray ToBytes() const;

private:
    // The document so far, every section written complete; only the root's end tag is missing.
    QByteArray content_;
};
