#include "app/form1.h"
#include "app/search/searchdialogs.h"

// Find and Find next: not built yet.
void Form1::mnuFind_Click() {}
void Form1::mnuFindNext_Click() {}

void Form1::setSearchDialogs(std::unique_ptr<SearchDialogs> dialogs)
{
    m_searchDialogs = std::move(dialogs);
}

std::unique_ptr<SearchDialogs> makeStandardSearchDialogs()
{
    return nullptr;
}
