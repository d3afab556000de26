#pragma once

#include <memory>

#include "about/linkopener.h"

class frmAbout;

// The main window's About command: makes the About window on first use,
// keeps it for the rest of the run, and shows it.
class AboutCommand
{
public:
    // `openLink` hands the chosen address to the browser (the main window
    // chooses the real one or a test's).
    explicit AboutCommand(LinkOpener openLink);
    ~AboutCommand();

    void run();

private:
    LinkOpener m_openLink;
    std::unique_ptr<frmAbout> m_window;
};
