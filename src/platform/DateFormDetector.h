#pragma once

#include "platform/RegionalSettings.h"

#include <QString>
#include <QStringView>
#include <vector>

// Finds the forms in which the dates of a data file that records none are written, from the
// file's own date texts: the regional forms when they read them all; otherwise, of the known
// forms (day, month and year in any order the reader knows, any separator the texts use, and the
// time with a colon or a dot between its parts, with a day period or without), the one that reads
// the most texts. Where the texts do not decide, the regional order and separators win. Each form
// tried stops reading as soon as it can no longer beat the best so far, so that a large file is
// read about once.
class TDateFormDetector {
public:
    // Two-digit years are placed around currentYear, as the reader places them.
    TDateFormDetector(TRegionalSettings regional, int currentYear);

    // Room for that many texts of a usual length, so that a large file is taken in without
    // copying what was taken before.
    void Reserve(qsizetype texts);
    // A date alone (nextdate) or a date and time (created, lastmodified). Blank texts say nothing
    // about a form and are left out.
    void AddDate(QStringView text);
    void AddStamp(QStringView text);

    struct TResult {
        TRegionalSettings forms;
        bool regional = true; // the regional forms were kept
        qsizetype texts = 0;  // the texts looked at
        qsizetype unreadable = 0;
    };
    TResult Detect() const;

private:
    struct TText {
        qsizetype start; // in texts_
        qsizetype length;
        bool stamp;
    };
    struct TSeparatorCount {
        QChar separator;
        qsizetype count;
    };
    struct TCandidate {
        TRegionalSettings forms;
        int preference; // lower wins a tie
        qsizetype sampleFailures = 0;
    };

    void Add(QStringView text, bool stamp);
    std::vector<TCandidate> Candidates() const;
    // The texts the forms cannot read, counted until stopAt is reached; every step-th text.
    qsizetype Unreadable(const TRegionalSettings& forms, qsizetype stopAt,
                         qsizetype step = 1) const;

    TRegionalSettings regional_;
    int currentYear_;
    QString texts_; // every text kept, one after another, so that a large file needs no
                    // allocation per text
    std::vector<TText> spans_;
    // The character after the first number of each text, the most frequent first once sorted.
    std::vector<TSeparatorCount> dateSeparators_;
};
