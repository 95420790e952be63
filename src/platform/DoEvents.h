#pragma once

// Lets the events that wait run (input, timers, sockets, painting) and returns: the
// long loops of a run, a view or a window's start call it so the window stays live
// and the Stop button and Esc are heard.
void DoEvents();
