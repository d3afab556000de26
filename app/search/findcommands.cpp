#include <QCoreApplication>

#include <limits>

#include "app/form1.h"
#include "app/search/searchdialogs.h"
#include "app/search/textsearch.h"
#include "app/textarea.h"

namespace {

QString promptText()
{
    return QStringLiteral("输入物品名称或代码或描述中包含的字符");
}

QString finishedText()
{
    return QStringLiteral("已完成了全文搜索");
}

// The search state keeps a 32-bit position; a match beyond that range counts
// as none rather than being stored wrapped.
qint32 storablePosition(qsizetype position)
{
    return position > 0 && position <= std::numeric_limits<qint32>::max() ? qint32(position) : 0;
}

} // namespace

void Form1::mnuFind_Click()
{
    const QString title = QCoreApplication::applicationName();
    const QString what = m_searchDialogs->prompt(this, title, promptText(), strFindText);
    if (what.isEmpty())
        return;

    const qint32 position = storablePosition(search::findText(Text1->text(), what, 1));
    if (position == 0) {
        // The earlier search stays in force, for the prompt and for Find next.
        m_searchDialogs->information(this, title, finishedText());
        return;
    }
    strFindText = what;
    lngFindPos = position;
    Text1->setCaretIndex(position - 1);
}

void Form1::mnuFindNext_Click()
{
    if (strFindText.isEmpty()) {
        mnuFind_Click();
        return;
    }
    // From the character after the start of the last match, so overlapping
    // matches are found too. No wrap-around at the end.
    const qsizetype from = qsizetype(lngFindPos) + 1;
    const qint32 position = storablePosition(search::findText(Text1->text(), strFindText, from));
    if (position == 0) {
        m_searchDialogs->information(this, QCoreApplication::applicationName(), finishedText());
        return;
    }
    lngFindPos = position;
    Text1->setCaretIndex(position - 1);
}

void Form1::setSearchDialogs(std::unique_ptr<SearchDialogs> dialogs)
{
    // The commands always have dialogs to ask with.
    m_searchDialogs = dialogs ? std::move(dialogs) : makeStandardSearchDialogs();
}
