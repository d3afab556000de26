#pragma once

#include <QList>
#include <QPlainTextEdit>
#include <QString>

// The main window's text area. The document keeps one separator per line,
// but the program counts positions in its text with CR and LF as one
// character each; this class is the one place where the two meet.
class TextArea : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextArea(QWidget *parent = nullptr);

    // The whole text with CR LF line ends. Built once per change of the
    // document, so repeated reads cost nothing.
    const QString &text() const;
    void setText(const QString &text);

    // The caret as a 0-based index into text(). Setting it selects nothing
    // and scrolls the caret into view; an index inside a CR LF pair stands at
    // the end of that line, one past the end stands at the end of the text.
    qsizetype caretIndex() const;
    void setCaretIndex(qsizetype index);

private:
    void rebuild() const;

    mutable bool m_stale = true;
    mutable QString m_text;
    mutable QList<qsizetype> m_lineStarts; // index in m_text where each block begins
};
