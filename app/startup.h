#pragma once

#include <QByteArray>
#include <functional>

class QWidget;

// What the program checks before it makes its first window.
namespace startup {

using EnvLookup = std::function<QByteArray(const char *name)>;

// True when a window can be shown at all: a platform plugin was chosen
// explicitly, or an X11 or Wayland display is named. Always true on systems
// whose desktop needs no such variable (Windows, macOS).
bool graphicalSessionNamed(const EnvLookup &env);
bool graphicalSessionNamed();

// The one line printed when no window can be shown.
inline constexpr char kNoDisplayMessage[]
    = "morvane2-items: no graphical session found; start it from a desktop session "
      "(DISPLAY or WAYLAND_DISPLAY must be set).";

// True when some installed font can show Simplified Chinese.
bool chineseFontAvailable();
inline constexpr char kNoChineseFontMessage[]
    = "morvane2-items: no Chinese font is installed, so item names will not be readable; "
      "install one, for example fonts-noto-cjk.";

// The whole program: checks, the application object, the main window, the
// event loop. `shown`, if given, is called once the main window is shown.
int run(int argc, char *argv[], const std::function<void(QWidget &)> &shown = {});

// Name, version and icon of the program, as it reports them of itself, the
// toolkit's texts in Chinese, and Han characters drawn in Simplified Chinese
// forms. Set once, before the first window.
void describeApplication();

} // namespace startup
