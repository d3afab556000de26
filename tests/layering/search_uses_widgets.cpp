// The search needs QtCore only: a widget is reachable by header through Qt's
// include root, but must not link.
#include "app/search/findcommands.h"

// Across the boundary:
#include <QtWidgets/QWidget>

int main()
{
    QWidget widget;
    return widget.isVisible() ? 1 : 0;
}
