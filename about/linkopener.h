#pragma once

#include <QString>

class QWidget;

// Hands a web address to the user's default browser, with `owner` as the
// window that asked. What the browser then does is not reported.
void openInDefaultBrowser(QWidget *owner, const QString &address);
