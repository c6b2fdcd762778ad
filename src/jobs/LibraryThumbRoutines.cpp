#include "jobs/ThumbRoutines.h"

namespace quillane {

TThumbRoutines LibraryThumbRoutines()
{
    TThumbRoutines routines;
    routines.PercentFast = ThumbPercentFast;
    routines.PercentHQ = ThumbPercentHQ;
    routines.ExactFast = ThumbExactFast;
    routines.ExactHQ = ThumbExactHQ;
    routines.FillFast = ThumbFillFast;
    routines.FillHQ = ThumbFillHQ;
    routines.CutFast = ThumbCutFast;
    routines.CutHQ = ThumbCutHQ;
    routines.SideFast = ThumbSideFast;
    routines.SideHQ = ThumbSideHQ;
    return routines;
}

}  // namespace quillane
