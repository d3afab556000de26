#include "app/textarea.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {
constexpr QStringView kLineEnd = u"\r\n";
}

TextArea::TextArea(QWidget *parent)
    : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        m_stale = true;
        clearMatch();
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TextArea::clearMatch);
}

const QString &TextArea::text() const
{
    if (m_stale)
        rebuild();
    return m_text;
}

void TextArea::setText(const QString &text)
{
    setPlainText(text);
}

void TextArea::rebuild() const
{
    const QTextDocument *doc = document();
    m_text.clear();
    m_text.reserve(doc->characterCount() + doc->blockCount());
    m_lineStarts.clear();
    m_lineStarts.reserve(doc->blockCount());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (!m_lineStarts.isEmpty())
            m_text += kLineEnd;
        m_lineStarts.append(m_text.size());
        m_text += block.text();
    }
    m_stale = false;
}

qsizetype TextArea::caretIndex() const
{
    const QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    if (m_stale)
        rebuild();
    return m_lineStarts.value(block.blockNumber()) + (cursor.position() - block.position());
}

QTextCursor TextArea::cursorAt(qsizetype index) const
{
    if (m_stale)
        rebuild();
    index = std::clamp<qsizetype>(index, 0, m_text.size());
    // The last line that starts at or before the index holds it.
    const auto line = std::upper_bound(m_lineStarts.cbegin(), m_lineStarts.cend(), index) - 1;
    const QTextBlock block = document()->findBlockByNumber(int(line - m_lineStarts.cbegin()));
    const qsizetype column = std::min<qsizetype>(index - *line, block.length() - 1);

    QTextCursor cursor(block);
    cursor.setPosition(block.position() + int(column));
    return cursor;
}

void TextArea::setCaretIndex(qsizetype index)
{
    const QTextCursor cursor = cursorAt(index);
    const bool inView = viewport()->rect().contains(cursorRect(cursor));
    setTextCursor(cursor);
    ensureCursorVisible();
    // The plain scroll would leave a far jump on the very last row.
    if (!inView)
        centerCursor();
}

void TextArea::showMatch(qsizetype index, qsizetype length)
{
    m_match = QTextCursor(); // marked anew below: no need to unmark it as the caret moves
    setCaretIndex(index);
    m_match = cursorAt(index);
    m_match.setPosition(cursorAt(index + length).position(), QTextCursor::KeepAnchor);
    markMatch();
}

void TextArea::clearMatch()
{
    if (m_match.isNull())
        return;
    m_match = QTextCursor();
    markMatch();
}

void TextArea::setMatchColors(const QColor &text, const QColor &background)
{
    m_matchText = text;
    m_matchBackground = background;
    markMatch();
}

void TextArea::markMatch()
{
    // An extra selection, not the selection: nothing is selected, and copying
    // or typing acts as if the match were not marked.
    QList<QTextEdit::ExtraSelection> marks;
    if (!m_match.isNull()) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = m_match;
        mark.format.setForeground(m_matchText);
        mark.format.setBackground(m_matchBackground);
        marks.append(mark);
    }
    setExtraSelections(marks);
}
