#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// Reads a data file into the registry's contexts, item tree and included contexts. The whole
// file is parsed first; document types are skipped, no entity is defined or expanded and nothing
// outside the file is ever fetched. The sections are found by name among the root's children,
// whatever their order and whatever the root is called. The steps fail with TError where the
// format says a load ends; every other value that does not fit falls back as the item says.
class TDataFileReader {
public:
    // TError when the text is not well-formed XML.
    explicit TDataFileReader(QByteArray content);
    ~TDataFileReader();
    TDataFileReader(TDataFileReader&&) noexcept;
    TDataFileReader& operator=(TDataFileReader&&) noexcept;

    // The steps in the order of the format.
    void ReadAll();

    // NextBackupNo from the header, or 1.
    void ReadHeader();
    void ReadContexts();
    // Dates in the forms the header records; when it records none, in the forms the dates
    // themselves are written in: the user's regional forms when they read them all, else those
    // that read the most.
    void ReadItems();
    void ReadIncludedContexts();

    // Dates, stamps and date forms of the items that were there but could not be read, and so
    // became today or now.
    int UnreadDates() const { return unreadDates_; }

private:
    struct TDocument;
    std::unique_ptr<TDocument> document_;
    int unreadDates_ = 0;
};
