#include "about/frmabout.h"
#include "app/form1.h"

// The About command: not built yet.
void Form1::mnuAbout_Click() {}

void Form1::setLinkOpener(LinkOpener opener)
{
    m_openLink = std::move(opener);
}
