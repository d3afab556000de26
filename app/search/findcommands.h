#pragma once

#include <QString>

#include <memory>

#include "app/search/searchdialogs.h"

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

// Find and Find next, with the search state they share: the text of the last
// Find that found something and the 1-based position of the last match.
class FindCommands
{
public:
    FindCommands(SearchTarget &target, std::unique_ptr<SearchDialogs> dialogs);

    void find();
    void findNext();

    const QString &searchText() const { return strFindText; }
    qint32 findPos() const { return lngFindPos; }

private:
    void reportFinished();

    SearchTarget &m_target;
    std::unique_ptr<SearchDialogs> m_dialogs;

    QString strFindText;
    qint32 lngFindPos = 0;
};
