#include "jobs/RoutineRecorder.h"

#include <fstream>

namespace quillane::test {

TThumbRoutines TRoutineRecorder::Table()
{
    const auto sized = [this](const char* name) {
        return [this, name](const TPath& s, const TPath& t, std::int32_t a, std::int32_t b, bool overwrite) {
            return Finish({name, s, t, a, b, 0, false, overwrite, false});
        };
    };
    const auto filled = [this](const char* name) {
        return [this, name](const TPath& s, const TPath& t, std::int32_t a, std::int32_t b, TArgb c, bool overwrite) {
            return Finish({name, s, t, a, b, c, false, overwrite, false});
        };
    };
    const auto side = [this](const char* name) {
        return
            [this, name](const TPath& s, const TPath& t, bool byWidth, std::int32_t size, bool overwrite, bool skip) {
                return Finish({name, s, t, size, 0, 0, byWidth, overwrite, skip});
            };
    };
    TThumbRoutines table;
    table.PercentFast = sized("PercentFast");
    table.PercentHQ = sized("PercentHQ");
    table.ExactFast = sized("ExactFast");
    table.ExactHQ = sized("ExactHQ");
    table.FillFast = filled("FillFast");
    table.FillHQ = filled("FillHQ");
    table.CutFast = sized("CutFast");
    table.CutHQ = sized("CutHQ");
    table.SideFast = side("SideFast");
    table.SideHQ = side("SideHQ");
    return table;
}

std::vector<std::string> TRoutineRecorder::Names() const
{
    std::vector<std::string> names;
    for (const TRecordedCall& call : Calls) {
        names.push_back(call.Name);
    }
    return names;
}

TOutcome TRoutineRecorder::Finish(TRecordedCall call)
{
    Calls.push_back(call);
    if (std::filesystem::exists(call.Target) && !call.Overwrite) {
        return TOutcome::Failure(TReason::rsTargetExists);
    }
    std::ofstream out(call.Target, std::ios::binary | std::ios::trunc);
    out << call.Name;
    return out.flush() ? TOutcome::Success() : TOutcome::Failure(TReason::rsCannotWrite);
}

}  // namespace quillane::test
