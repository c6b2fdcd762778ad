#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "imaging/Watermark.h"
#include "jobs/BatchJob.h"
#include "jobs/OutputRule.h"
#include "jobs/WatermarkValues.h"

namespace quillane {

// The watermark page's fields as the page holds them.
struct TWatermarkFields {
    bool UseText = true;          // RbText "文字水印"; RbImgWatermark "图片水印" otherwise
    std::string Text;             // EdtWatermark, as typed
    TWatermarkFont Font;          // EdtWatermarkFont
    std::string PicturePath;      // EdtWatermarkPic
    std::string X;                // EdtWatermarkX
    std::string Y;                // EdtWatermarkY
    std::string Opacity = "100";  // EdtWatermarkOpacity, percent
    int Origin = 0;               // CmbOrigin: 0 "右底点" (bottom-right), 1 "左顶点" (top-left)
    std::string MinWidth = "0";   // EdtMinWidth
    std::string SavePath;         // EdtWatermarkSave
    std::string Affix = "_w";     // EdtWatermarkPrefix
    int AffixPosition = 0;        // CmbXFixWatermark: 0 "后缀", 1 "前缀"
};

// What the checks settled. The position stays text: it is read for every file.
struct TWatermarkJob {
    bool UseText = true;
    std::string Text;
    TWatermarkFont Font;
    std::string PicturePath;
    std::string X;
    std::string Y;
    std::int32_t Opacity = 100;
    bool FromBottomRight = true;
    std::int32_t MinWidth = 0;
    TOutputRule Output;
};

// The two stamping routines, as a table so that the calls can be watched.
struct TWatermarkRoutines {
    std::function<TOutcome(const TPath&, const TPath&, const std::string&, const TGPFont&, TArgb, TPointF, bool, bool,
                           std::int32_t)>
        Text;
    std::function<TOutcome(const TPath&, const TPath&, const TPath&, const TColorMatrix&, TPointF, bool, bool,
                           std::int32_t)>
        Picture;
};

TWatermarkRoutines LibraryWatermarkRoutines();

// "创建水印标签(&C)". A position that cannot be read ends the run at the file that
// reaches it.
class TWatermarkBatch final : public TBatchJob {
public:
    explicit TWatermarkBatch(TWatermarkFields fields, TWatermarkRoutines routines = LibraryWatermarkRoutines());
    std::optional<TJobPlan> Check(TJobHost& host, const TSourceList& sources) override;

private:
    std::optional<std::int32_t> CheckOpacity(TJobHost& host);
    bool CheckPosition(TJobHost& host);
    bool CheckMark(TJobHost& host);
    TJobPlan MakePlan(const TSourceList& sources, const TWatermarkJob& job) const;

    TWatermarkFields fields_;
    TWatermarkRoutines routines_;
};

}  // namespace quillane
