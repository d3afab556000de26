#include "about/aboutcommand.h"

#include "about/frmabout.h"

AboutCommand::AboutCommand(LinkOpener openLink)
    : m_openLink(std::move(openLink))
{ }

AboutCommand::~AboutCommand() = default;

void AboutCommand::run()
{
    // Made on first use only: its pictures cost nothing until then.
    if (!m_window)
        m_window = std::make_unique<frmAbout>(m_openLink);
    m_window->showAbout();
}
