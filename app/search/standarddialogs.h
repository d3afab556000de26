#pragma once

#include <memory>

#include "app/search/searchdialogs.h"

// The real prompt and message: QInputDialog and QMessageBox.
std::unique_ptr<SearchDialogs> makeStandardSearchDialogs();
