#pragma once

// Small blocks freed by the program are merged with their free neighbours at once
// instead of being parked in the C library's per-size "fast" lists. A large view
// frees hundreds of thousands of cell texts together when its grid is refilled;
// parked, they are all walked and merged again on the next large request, and that
// walk grew faster than the page (a 3 MB movers page took twice the time per byte
// of a 300 KB one). Called once, first thing in main(). Elsewhere than the GNU C
// library it does nothing.
void TuneAllocator();
