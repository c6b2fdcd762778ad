#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "jobs/BatchJob.h"
#include "jobs/OutputRule.h"
#include "jobs/ThumbRoutines.h"
#include "jobs/JobTexts.h"

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

// "创建缩略图(&C)" on the percentage page. A TIFF source always takes the high-quality
// routine.
class TPercentBatch final : public TBatchJob {
public:
    TPercentBatch(TPercentFields fields, TThumbRoutines routines);
    std::optional<TJobPlan> Check(TJobHost& host, const TSourceList& sources) override;

private:
    TPercentFields fields_;
    TThumbRoutines routines_;
};

}  // namespace quillane
