#pragma once

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QList>
#include <QString>

#include "about/frmabout.h"
#include "about/linkopener.h"
#include "common/links.h"

// What the tests of the About window and its links share. For tests that
// link the program's windows.

// One hand-off of a web address to the browser.
struct OpenedLink
{
    QWidget *owner;
    QString address;
};

// A link opener that records each hand-off instead of starting a browser.
inline LinkOpener recordLinks(QList<OpenedLink> &opened)
{
    return [&opened](QWidget *owner, const QString &address) { opened.append({owner, address}); };
}

// The address of link `index`, as the link table holds it.
inline QString linkAddress(int index)
{
    return QString::fromLatin1(links::kLinks[index].tag);
}

// The About window's picture for link `index`, found by the address it
// stands for, as a player finds it by its look.
inline ImageControl *linkPicture(const QWidget *about, int index)
{
    const QList<ImageControl *> pictures
        = about->findChildren<ImageControl *>(QStringLiteral("imgURL"));
    for (ImageControl *p : pictures) {
        if (p->Tag == linkAddress(index))
            return p;
    }
    return nullptr;
}

// Chinese reaches a text field through the input method, as it does for a player.
inline void typeThroughInputMethod(QWidget *field, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(field, &event);
}
