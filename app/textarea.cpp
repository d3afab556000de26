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
    connect(document(), &QTextDocument::contentsChanged, this, [this] { m_stale = true; });
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

void TextArea::setCaretIndex(qsizetype index)
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
    setTextCursor(cursor);
    ensureCursorVisible();
}
