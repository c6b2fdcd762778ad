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

enum TPixelMode {
    pmExact = 0,  // RbNoScale: exactly the given width and height
    pmFill = 1,   // RbScale: keep the proportions, fill the rest with BackColour
    pmCut = 2,    // RbScaleCut: keep the proportions, cut off the rest
};

// The exact-size page's fields as the page holds them.
struct TPixelFields {
    std::string Width;   // lbEdtWidth
    std::string Height;  // lbEdtHeight
    TPixelMode Mode = pmExact;
    std::uint32_t BackColourRgb = 0xFFFFFF;  // pnlBgColor, red in the high byte
    std::string SavePath;                    // EdtSavePixel
    std::string Affix = "_s";                // EdtPrefixPixel
    int AffixPosition = 0;                   // CmbXFixPixel
    bool Fast = false;                       // Rb2 ticked; Rb2X otherwise
};

struct TPixelJob {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    TPixelMode Mode = pmExact;
    TArgb BackColour = 0xFFFFFFFF;  // always opaque
    bool Fast = false;
    TOutputRule Output;
};

// Only the cut mode turns a TIFF source away from its fast routine.
TWritePlan PixelPlan(const TPixelJob& job, const TThumbRoutines& routines);

// "创建缩略图(&C)" on the exact-size page.
class TPixelBatch final : public TBatchJob {
public:
    TPixelBatch(TPixelFields fields, TThumbRoutines routines);
    bool Check(TJobHost& host) override;
    TRunOutcome Run(TJobHost& host) override;
    const TPixelJob& Job() const { return job_; }

private:
    TPixelFields fields_;
    TThumbRoutines routines_;
    TPixelJob job_;
    bool checked_ = false;
};

std::optional<TRunOutcome> BtnPixelClick(TJobHost& host, const TPixelFields& fields, const TThumbRoutines& routines);

}  // namespace quillane
