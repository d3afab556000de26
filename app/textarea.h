#pragma once

#include <QColor>
#include <QList>
#include <QPlainTextEdit>
#include <QString>

#include "app/search/searchtarget.h"

// The main window's text area. The document keeps one separator per line,
// but the program counts positions in its text with CR and LF as one
// character each; this class is the one place where the two meet.
class TextArea : public QPlainTextEdit, public SearchTarget
{
    Q_OBJECT

public:
    explicit TextArea(QWidget *parent = nullptr);

    // The whole text with CR LF line ends. Built once per change of the
    // document, so repeated reads cost nothing.
    const QString &text() const override;
    void setText(const QString &text);

    // The caret as a 0-based index into text(). Setting it selects nothing;
    // an index inside a CR LF pair stands at the end of that line, one past
    // the end stands at the end of the text. A caret already in view leaves
    // the text where it is; one out of view is brought well inside it.
    qsizetype caretIndex() const;
    void setCaretIndex(qsizetype index);

    // A found match: the caret before it and its characters marked, until
    // the caret moves or the text changes.
    void showMatch(qsizetype index, qsizetype length) override;
    void clearMatch() override;
    void setMatchColors(const QColor &text, const QColor &background);

private:
    void rebuild() const;
    QTextCursor cursorAt(qsizetype index) const;
    void markMatch();

    mutable bool m_stale = true;
    mutable QString m_text;
    mutable QList<qsizetype> m_lineStarts; // index in m_text where each block begins

    QTextCursor m_match; // spans the marked match; null when there is none
    QColor m_matchText;
    QColor m_matchBackground;
};
