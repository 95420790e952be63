#pragma once

// Installs the routines the update run calls in the layers above it (runHooks()):
// the quote parsers and the current-quotes view of the data sheets, and the mail
// sender of the services. The main window calls it once at start; tests call it too.
void installUpdateRunHooks();
