#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "jobs/BatchJob.h"
#include "jobs/OutputRule.h"
#include "jobs/ThumbRoutines.h"
#include "jobs/JobTexts.h"

namespace quillane {

// The single-side page's fields as the page holds them. On a first start neither
// side is chosen.
struct TWOrHFields {
    bool WidthChosen = false;   // RbWOnly "缩略图宽："
    bool HeightChosen = false;  // RbHOnly "缩略图高："
    std::string WidthText;      // EdtWOnly
    std::string HeightText;     // EdtHOnly
    bool SkipSmaller = false;   // ChkSkipSmaller
    std::string SavePath;       // EdtWOrHPath
    std::string Affix = "_s";   // EdtPrefixWOrH
    int AffixPosition = 0;      // CmbXFixWorH
    bool Fast = false;          // Rb3 ticked; Rb3X otherwise
};

struct TWOrHJob {
    bool ByWidth = true;
    std::int32_t Size = 0;
    bool SkipSmaller = false;
    bool Fast = false;
    TOutputRule Output;
};

// "创建缩略图(&C)" on the single-side page. A TIFF source leaves the fast routine only
// when the width is given.
class TWOrHBatch final : public TBatchJob {
public:
    TWOrHBatch(TWOrHFields fields, TThumbRoutines routines);
    std::optional<TJobPlan> Check(TJobHost& host, const TSourceList& sources) override;

private:
    std::optional<std::int32_t> CheckSize(TJobHost& host) const;

    TWOrHFields fields_;
    TThumbRoutines routines_;
};

}  // namespace quillane
