#include "about/frmabout.h"
#include "about/linkopener.h"
#include "app/form1.h"

void Form1::mnuAbout_Click()
{
    // Made on first use only: its pictures cost nothing until then.
    if (!m_about) {
        m_about = std::make_unique<frmAbout>(
            [this](QWidget *owner, const QString &address) { m_openLink(owner, address); });
    }
    m_about->showAbout();
}

void Form1::setLinkOpener(LinkOpener opener)
{
    m_openLink = opener ? std::move(opener) : LinkOpener(openInDefaultBrowser);
}
