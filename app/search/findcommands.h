#pragma once

#include <QString>

#include <memory>

#include "app/search/searchdialogs.h"
#include "app/search/searchtarget.h"

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
