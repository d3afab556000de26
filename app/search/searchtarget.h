#pragma once

#include <QString>

// What Find and Find next need of the text they search.
class SearchTarget
{
public:
    virtual ~SearchTarget() = default;

    // The whole text, with CR and LF counted as one character each.
    virtual const QString &text() const = 0;
    // Puts the caret before the 0-based index, selecting nothing, and marks
    // the `length` characters from there as the match.
    virtual void showMatch(qsizetype index, qsizetype length) = 0;
    virtual void clearMatch() = 0;
};
