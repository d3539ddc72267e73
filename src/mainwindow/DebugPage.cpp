#include "mainwindow/DebugPage.h"

#include <QPlainTextEdit>
#include <QTextCursor>

void TDebugMemo::ClearLines()
{
    box_.clear();
}

void TDebugMemo::InsertFirstLine(const QString& line)
{
    if (box_.document()->isEmpty()) {
        box_.setPlainText(line);
        return;
    }
    QTextCursor cursor(box_.document());
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(line + u'\n');
}
