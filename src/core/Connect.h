#pragma once

// AskConnect and CountConnections are declared in core/Misc.h.

// Makes every address the shell refuses to open (a scheme other than the web, FTP,
// mail and media-stream ones, a file outside Cache/Reports) an entry of the error
// log. The program calls it once at start.
void installShellRefusalLogging();
