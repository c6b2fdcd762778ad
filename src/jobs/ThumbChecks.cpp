#include "jobs/ThumbChecks.h"

#include "jobs/JobChecks.h"
#include "jobs/JobTexts.h"

namespace quillane {

std::optional<TThumbSize> CheckThumbSizeAndFolder(TJobHost& host, const TSourceList& sources, const TNamedField& width,
                                                  const TNamedField& height, const TNamedField& saveFolder)
{
    if (!CheckListNotEmpty(host, sources, kNoThumbFiles)) {
        return std::nullopt;
    }
    const auto widthValue = CheckNonZeroField(host, width, kBadThumbRule);
    if (!widthValue) {
        return std::nullopt;
    }
    const auto heightValue = CheckNonZeroField(host, height, kBadThumbRule);
    if (!heightValue || !CheckSaveFolder(host, saveFolder, ThumbSaveFolderTexts())) {
        return std::nullopt;
    }
    return TThumbSize{*widthValue, *heightValue};
}

}  // namespace quillane
