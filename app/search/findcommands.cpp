#include "app/search/findcommands.h"

#include <QCoreApplication>

#include "app/search/textsearch.h"

FindCommands::FindCommands(SearchTarget &target, std::unique_ptr<SearchDialogs> dialogs)
    : m_target(target)
    , m_dialogs(std::move(dialogs))
{ }

void FindCommands::find()
{
    const QString what = m_dialogs->prompt(QCoreApplication::applicationName(),
        QStringLiteral("输入物品名称或代码或描述中包含的字符"), strFindText);
    if (what.isEmpty())
        return;

    const qsizetype position = search::findText(m_target.text(), what, 1);
    if (position == 0) {
        // The earlier search stays in force, for the prompt and for Find next.
        reportFinished();
        return;
    }
    strFindText = what;
    lngFindPos = qint32(position);
    m_target.showMatch(position - 1, what.size());
}

void FindCommands::findNext()
{
    if (strFindText.isEmpty()) {
        find();
        return;
    }
    // From the character after the start of the last match, so overlapping
    // matches are found too. No wrap-around at the end.
    const qsizetype position
        = search::findText(m_target.text(), strFindText, qsizetype(lngFindPos) + 1);
    if (position == 0) {
        reportFinished();
        return;
    }
    lngFindPos = qint32(position);
    m_target.showMatch(position - 1, strFindText.size());
}

void FindCommands::reportFinished()
{
    m_target.clearMatch();
    m_dialogs->information(QCoreApplication::applicationName(), QStringLiteral("已完成了全文搜索"));
}
