#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "jobs/BatchJob.h"
#include "jobs/OutputRule.h"
#include "jobs/ThumbRoutines.h"
#include "jobs/JobTexts.h"

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

// "创建缩略图(&C)" on the exact-size page. Only the cut mode turns a TIFF source away
// from its fast routine.
class TPixelBatch final : public TBatchJob {
public:
    TPixelBatch(TPixelFields fields, TThumbRoutines routines);
    std::optional<TJobPlan> Check(TJobHost& host, const TSourceList& sources) override;

private:
    TPixelFields fields_;
    TThumbRoutines routines_;
};

}  // namespace quillane
