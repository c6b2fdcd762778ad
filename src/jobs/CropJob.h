#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "imaging/Crop.h"
#include "jobs/BatchJob.h"
#include "jobs/OutputRule.h"

namespace quillane {

// The crop page's fields as the page holds them.
struct TCropFields {
    std::string Left = "0";      // EdtLeft
    std::string Top = "0";       // EdtTop
    std::string Width = "100";   // EdtW
    std::string Height = "100";  // EdtH
    std::string SavePath;        // EdtCutSave
    std::string Affix = "_c";    // EdtCutPrefix
    int AffixPosition = 0;       // CmbXFixCut: 0 "后缀", 1 "前缀"
};

struct TCropJob {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    TOutputRule Output;
};

// The routine a crop calls: source, target, left, top, width, height, overwrite.
using TCropRoutine =
    std::function<TOutcome(const TPath&, const TPath&, std::int32_t, std::int32_t, std::int32_t, std::int32_t, bool)>;

// Whether "创建剪切图(&C)" can be pressed: both size texts given and the product of
// their values above 0.
bool CropStartEnabled(const std::string& widthText, const std::string& heightText);

// "创建剪切图(&C)". The rectangle is read after the results box was cleared, so a
// field that holds no whole number ends the click with that box empty.
class TCropBatch final : public TBatchJob {
public:
    explicit TCropBatch(TCropFields fields, TCropRoutine routine = CropImage);
    std::optional<TJobPlan> Check(TJobHost& host, const TSourceList& sources) override;

private:
    std::optional<TCropJob> ReadRectangle(TJobHost& host) const;

    TCropFields fields_;
    TCropRoutine routine_;
};

}  // namespace quillane
