#pragma once

#include "stockdata/ViewHost.h"

// The program's default view host: a main grid of its own that nobody shows (the
// main window installs its own host once it is up), and for zoom mode a plain
// window holding one grid view. The program sets it at start with
// setDefaultViewHost(&zoomWindows()).
ViewHost& zoomWindows();
