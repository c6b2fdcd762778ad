#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "jobs/BatchJob.h"
#include "jobs/OutputRule.h"
#include "jobs/ThumbRoutines.h"
#include "jobs/ThumbTexts.h"
#include "jobs/WriteRun.h"

namespace quillane {

// The percentage page's fields as the page holds them.
struct TPercentFields {
    std::string Width;         // lbEdtRWidth
    std::string Height;        // lbEdtRHeight
    std::string SavePath;      // lbEdtSavePath
    std::string Affix = "_s";  // lbEdtPrefix
    int AffixPosition = 0;     // CmbXfixPercent: 0 "后缀", 1 "前缀"
    bool Fast = false;         // Rb1 "快速创建" ticked; Rb1X "高质量创建" otherwise
};

// The percentage job's parameters, read from the fields by the checks.
struct TPercentJob {
    std::int32_t WidthPercent = 0;
    std::int32_t HeightPercent = 0;
    bool Fast = false;
    TOutputRule Output;
};

// The per-file rules of the percentage job: a TIFF source always takes the
// high-quality routine.
TWritePlan PercentPlan(const TPercentJob& job, const TThumbRoutines& routines);

// "创建缩略图(&C)" on the percentage page.
class TPercentBatch final : public TBatchJob {
public:
    TPercentBatch(TPercentFields fields, TThumbRoutines routines);
    bool Check(TJobHost& host) override;
    TRunOutcome Run(TJobHost& host) override;
    const TPercentJob& Job() const { return job_; }

private:
    TPercentFields fields_;
    TThumbRoutines routines_;
    TPercentJob job_;
    bool checked_ = false;
};

// The click inline: checks, then the run. Empty when a check stopped it.
std::optional<TRunOutcome> BtnPercentClick(TJobHost& host, const TPercentFields& fields,
                                           const TThumbRoutines& routines);

}  // namespace quillane
