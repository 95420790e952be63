#pragma once

#include "platform/Dialogs.h"

namespace Dialogs {

// The real boxes: QMessageBox, QInputDialog and QFileDialog, owned by the active
// window. The program installs them at start (Dialogs::install(&Dialogs::boxes())).
Backend& boxes();

} // namespace Dialogs
