#pragma once

#include <QString>

#include <functional>

// The names of the 21 stock sets, as the sets menu shows them.

// The stored name of set n ("Group" & n under the Groups key), or "Group" & n
// (no blank) when none is stored.
QString SetMenuCaption(int n);

// Hands the caption of each set 0 to 20 to setCaption, in order. A failure
// (reading the name or setting the caption) is logged as "frmMain_LoadSets",
// shown to nobody, and ends the run: the sets already done keep their new
// captions, the others their old ones.
void LoadSets(const std::function<void(int n, const QString& caption)>& setCaption);
