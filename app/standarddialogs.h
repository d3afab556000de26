#pragma once

#include <functional>
#include <memory>

#include "app/search/searchdialogs.h"

class QWidget;

// Makes the search prompt and message for the window they are modal to. The
// main window takes one of these when it is made, so a test can answer them.
using SearchDialogsMaker = std::function<std::unique_ptr<SearchDialogs>(QWidget *owner)>;

// The real prompt and message: QInputDialog and QMessageBox.
std::unique_ptr<SearchDialogs> makeStandardSearchDialogs(QWidget *owner);
