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
    // Inside a batch the lines go before they are ever laid out: a replay that fills the log
    // many times over in one batch would otherwise lay out 500 lines each time only to drop them.
    if (batch_) {
        batch_->select(QTextCursor::Document);
        batch_->removeSelectedText();
    } else {
        clear();
    }
    holdsEmptyLine_ = false;
}

void MessageLogWidget::memoAddLine(const std::string& line)
{
    // The memo shows a line up to a character of code 0, as an edit control does; a lone CR or
    // LF left in a sentence must not split one line into two.
    QString text = QString::fromLatin1(line.c_str());
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    // The sentence rule, for every line: the "no data" line of an unplugged receiver comes
    // every second without a sentence ever arriving to clear the log.
    memoClearWhenFull();
    const bool batched = batch_.has_value();
    if (!batched)
        openBatch();
    // Moving lays out the line the cursor leaves; lines are only ever added at the end, where
    // the cursor already is after the first.
    if (!batch_->atEnd())
        batch_->movePosition(QTextCursor::End);
    if (memoLineCount() > 0)
        batch_->insertBlock();
    // The line keeps its shaped glyphs from being laid out to being painted, instead of
    // shaping its text a second time to paint it.
    batch_->block().layout()->setCacheEnabled(true);
    batch_->insertText(text);
    holdsEmptyLine_ = document()->isEmpty();
    if (!batched)
        closeBatch();
}

// Inside the edit block the lines added are laid out together, when it closes.
void MessageLogWidget::openBatch()
{
    batch_.emplace(document());
    batch_->beginEditBlock();
}

void MessageLogWidget::closeBatch()
{
    batch_->endEditBlock();
    batch_.reset();
    // The newest line stays in view, as in a log; the view does not jump sideways.
    QScrollBar* scroll = verticalScrollBar();
    scroll->setValue(scroll->maximum());
}

MessageLogWidget::LineBatch::LineBatch(MessageLogWidget& log) : log_(log), opened_(!log.batch_)
{
    if (opened_)
        log_.openBatch();
}

MessageLogWidget::LineBatch::~LineBatch()
{
    if (opened_ && log_.batch_)
        log_.closeBatch();
}

} // namespace norvane
