#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "imaging/Convert.h"
#include "jobs/BatchJob.h"
#include "jobs/OutputRule.h"

namespace quillane {

// The conversion page's fields as the page holds them.
struct TConvertFields {
    int TargetType = 0;     // CmbD index; -1 while the box shows no type
    std::string SavePath;   // lbEdtSavePath2
    std::string Affix;      // lbEdtPrefix2, empty at start
    int AffixPosition = 0;  // CmbXFix2: 0 "后缀", 1 "前缀"
};

// The routine a conversion calls: source, target, format, overwrite.
using TConvertRoutine = std::function<TOutcome(const TPath&, const TPath&, int, bool)>;

// One entry of the target type box: its caption, the new extension and the format.
struct TConvertTarget {
    const char* Caption;
    const char* Extension;
    TImageFormat Format;
};

// The entry at a CmbD index; empty outside 0 to 8. The box's order is not the
// order of the formats.
std::optional<TConvertTarget> ConvertTargetAt(int targetType);

// The target of a source: folder + file name, the affix, then the file name's
// extension cut off and the type's extension appended.
std::filesystem::path ConvertedTarget(const std::filesystem::path& source, const std::string& targetFolder,
                                      const TOutputRule& rule, const std::string& newExtension);

// "类型转换(&R)". A target that is the source itself counts as converted without a
// call; a type outside the table fails without one.
class TConvertBatch final : public TBatchJob {
public:
    explicit TConvertBatch(TConvertFields fields, TConvertRoutine routine = ConvertImage);
    std::optional<TJobPlan> Check(TJobHost& host, const TSourceList& sources) override;

private:
    TConvertFields fields_;
    TConvertRoutine routine_;
};

}  // namespace quillane
