#include "about/linkopener.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#else
#include <QDesktopServices>
#include <QUrl>
#endif

void openInDefaultBrowser(QWidget *owner, const QString &address)
{
#ifdef Q_OS_WIN
    // The shell's open verb, with the address in the ANSI code page and the
    // window as owner of anything the shell itself shows.
    const QByteArray file = address.toLocal8Bit();
    ShellExecuteA(owner ? reinterpret_cast<HWND>(owner->winId()) : nullptr, "open",
        file.constData(), "", "", SW_SHOWNORMAL);
#else
    Q_UNUSED(owner);
    QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
#endif
}
