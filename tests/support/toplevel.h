#pragma once

#include <QApplication>
#include <QWidget>

// The open top-level window of type W, found as a player would see it: among
// the program's windows, not through the window that made it.
template<typename W> W *topLevel()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (auto *found = qobject_cast<W *>(w))
            return found;
    }
    return nullptr;
}
