#pragma once

#include <cstdint>
#include <functional>

#include "imaging/Thumbnails.h"

namespace quillane {

// The thumbnail routines a job may choose from. The jobs take them as a table so that
// the choice can be watched without pictures.
struct TThumbRoutines {
    using TSized = std::function<TOutcome(const TPath&, const TPath&, std::int32_t, std::int32_t, bool)>;
    using TFilled = std::function<TOutcome(const TPath&, const TPath&, std::int32_t, std::int32_t, TArgb, bool)>;
    using TSide = std::function<TOutcome(const TPath&, const TPath&, bool, std::int32_t, bool, bool)>;

    TSized PercentFast, PercentHQ;
    TSized ExactFast, ExactHQ;
    TFilled FillFast, FillHQ;
    TSized CutFast, CutHQ;
    TSide SideFast, SideHQ;
};

// The routines of the imaging layer.
TThumbRoutines LibraryThumbRoutines();

}  // namespace quillane
