#include "stockdata/ProgramState.h"

ProgramState& programState()
{
    static ProgramState state;
    return state;
}

void ResetProgramState()
{
    ProgramState& s = programState();
    ProgramState fresh;
    fresh.LayOut = s.LayOut;
    fresh.DragCol = s.DragCol;
    fresh.SortAsc = s.SortAsc;
    fresh.OldStyleBackgroundChecked = s.OldStyleBackgroundChecked;
    s = fresh;
}
