#include "app/message_log_widget.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

namespace norvane {

MessageLogWidget::MessageLogWidget(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // A log nobody types into needs no undo history of its up to 500 lines.
    setUndoRedoEnabled(false);
}

// An empty document holds either no line or one empty line; only the flag tells them apart.
int MessageLogWidget::memoLineCount()
{
    if (document()->isEmpty())
        return holdsEmptyLine_ ? 1 : 0;
    return blockCount();
}

void MessageLogWidget::memoClear()
{
    clear();
    holdsEmptyLine_ = false;
}

void MessageLogWidget::memoAddLine(const std::string& line)
{
    // The memo shows a line up to a character of code 0, as an edit control does; a lone CR or
    // LF left in a sentence must not split one line into two.
    QString text = QString::fromLatin1(line.c_str());
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QTextCursor cursor(document());
    // Inside the edit block the move to the end does not lay out the last line to find its x.
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    if (memoLineCount() > 0)
        cursor.insertBlock();
    // The line keeps its shaped glyphs from being laid out to being painted, instead of
    // shaping its text a second time to paint it.
    cursor.block().layout()->setCacheEnabled(true);
    cursor.insertText(text);
    cursor.endEditBlock();
    holdsEmptyLine_ = document()->isEmpty();
    // The newest line stays in view, as in a log; the view does not jump sideways.
    QScrollBar* scroll = verticalScrollBar();
    scroll->setValue(scroll->maximum());
}

} // namespace norvane
