#pragma once

#include <QString>

// Only one copy of the program runs per user: the first holds a lock file in the
// runtime folder (the temporary folder when there is none) until it ends.
namespace SingleInstance {

// true when this process now holds the lock (also when it already held it);
// false when another running copy holds it. A lock left behind by a crashed copy
// is taken over.
bool acquire();
// Gives the lock up (also done at exit).
void release();
QString lockPath();

} // namespace SingleInstance
