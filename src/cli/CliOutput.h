#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

// What the companion prints: for people, aligned plain text with the view markup turned into
// readable text (in colour on a terminal unless NO_COLOR is set); for programs, one JSON object.
class TCliOutput {
public:
    TCliOutput(bool json, bool colour);
    // Colour only on a terminal, and never when NO_COLOR is set to anything.
    static bool ColourWanted();

    bool Json() const { return json_; }

    // Markup as a person reads it: done boxes as "[ ]" and "[x]", the notes and repetition
    // marks as "(n)" and "(r)", other pictures left out, colours and bold as terminal colours.
    QString Readable(QStringView markup) const;

    // Rows of cells, each column as wide as its widest cell.
    void PrintTable(const QList<QStringList>& rows);
    void PrintLine(const QString& line = QString());
    void PrintJson(const QJsonObject& object);

private:
    bool json_;
    bool colour_;
    QTextStream out_;
};
