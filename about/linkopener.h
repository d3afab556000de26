#pragma once

#include <QString>

#include <functional>

class QWidget;

// Hands a web address to the browser, with `owner` as the window that asked.
// Windows take one of these when they are made, so a test can put its own in.
using LinkOpener = std::function<void(QWidget *owner, const QString &address)>;

// The real one: the user's default browser. What the browser then does is
// not reported.
void openInDefaultBrowser(QWidget *owner, const QString &address);
