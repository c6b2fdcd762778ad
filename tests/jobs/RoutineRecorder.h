#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "jobs/ThumbRoutines.h"

namespace quillane::test {

struct TRecordedCall {
    std::string Name;  // "PercentFast", "CutHQ", ...
    TPath Source;
    TPath Target;
    std::int32_t First = 0;   // width, percent or size
    std::int32_t Second = 0;  // height or percent
    TArgb Colour = 0;
    bool ByWidth = false;
    bool Overwrite = false;
    bool SkipSmaller = false;
};

// Stand-ins for the thumbnail routines that record each call. Like the real ones they
// refuse an existing target without the overwrite flag, and write a small file (the
// routine's name) to the target otherwise; writing fails in a missing folder.
class TRoutineRecorder {
public:
    TThumbRoutines Table();
    std::vector<std::string> Names() const;

    std::vector<TRecordedCall> Calls;

private:
    TOutcome Finish(TRecordedCall call);
};

}  // namespace quillane::test
