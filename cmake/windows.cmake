# Windows programs keep their DLLs, plugins and documents next to the .exe,
# so the installed tree (and the zip made from it) is flat, as Qt's
# deployment tool lays it out. Set before GNUInstallDirs, which keeps them.
set(CMAKE_INSTALL_BINDIR . CACHE PATH "Program folder, relative to the prefix")
set(CMAKE_INSTALL_DOCDIR . CACHE PATH "LICENSE folder, relative to the prefix")
