#include "jobs/EngineTexts.h"

#include "jobs/JobTexts.h"
#include "jobs/ReasonTexts.h"

namespace quillane {

const TEngineText& UndoJobWord(TJobPage page)
{
    static const TEngineText rename{"UndoJob.Rename", kUndoJobRename};
    static const TEngineText convert{"UndoJob.Convert", kUndoJobConvert};
    static const TEngineText crop{"UndoJob.Crop", kUndoJobCrop};
    static const TEngineText watermark{"UndoJob.Watermark", kUndoJobWatermark};
    static const TEngineText thumbnails{"UndoJob.Thumbnails", kUndoJobThumbnails};
    switch (page) {
    case TJobPage::jpRename:
        return rename;
    case TJobPage::jpConvert:
        return convert;
    case TJobPage::jpCrop:
        return crop;
    case TJobPage::jpWatermark:
        return watermark;
    default:
        return thumbnails;
    }
}

std::string ChineseText(const std::string&, const std::string& chinese)
{
    return chinese;
}

std::string FilledPattern(const std::string& pattern, const std::vector<std::string>& values)
{
    std::string filled;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
                                 pattern[i + 1] <= '9' &&
                                 static_cast<std::size_t>(pattern[i + 1] - '1') < values.size();
        if (placeholder) {
            filled += values[static_cast<std::size_t>(pattern[i + 1] - '1')];
            ++i;
        } else {
            filled += pattern[i];
        }
    }
    return filled;
}

const std::vector<TEngineText>& EngineTexts()
{
    static const std::vector<TEngineText> texts{
        {"ProcessingFinished", kProcessingFinished},
        {"WatermarkFinished", kWatermarkFinished},
        {"OverwriteQuestion", kOverwriteQuestion},
        {"CannotMakeFolder", kCannotMakeFolder},
        {"ThumbFolderEmpty", kThumbFolderEmpty},
        {"ThumbFolderMissing", kThumbFolderMissing},
        {"NewFileFolderEmpty", kNewFileFolderEmpty},
        {"NewFileFolderMissing", kNewFileFolderMissing},
        {"CannotCreateFolder", kCannotCreateFolder},
        {"NoThumbFiles", kNoThumbFiles},
        {"BadThumbRule", kBadThumbRule},
        {"ThumbSucceeded", kThumbSucceeded},
        {"ThumbFailed", kThumbFailed},
        {"NoSideChosen", kNoSideChosen},
        {"SideSucceeded", kSideSucceeded},
        {"SideNotCreated", kSideNotCreated},
        {"NoFilesToRename", kNoFilesToRename},
        {"Renamed", kRenamed},
        {"NotRenamed", kNotRenamed},
        {"NoFilesToConvert", kNoFilesToConvert},
        {"NoTargetType", kNoTargetType},
        {"Converted", kConverted},
        {"NotConverted", kNotConverted},
        {"NoFilesToCrop", kNoFilesToCrop},
        {"Cropped", kCropped},
        {"NotCropped", kNotCropped},
        {"NoFilesToStamp", kNoFilesToStamp},
        {"BadOpacity", kBadOpacity},
        {"OpacityOutOfRange", kOpacityOutOfRange},
        {"NoPosition", kNoPosition},
        {"NoMarkText", kNoMarkText},
        {"NoMarkPicture", kNoMarkPicture},
        {"Stamped", kStamped},
        {"NotStamped", kNotStamped},
        {"NothingToUndo", kNothingToUndo},
        {"AlreadyUndone", kAlreadyUndone},
        {"UndoneLine", kUndoneLine},
        {"UndoMenu", kUndoMenu},
        {"StoppedRun", kStoppedRunPattern},
        {"UndoSummary", kUndoSummaryPattern},
        {"UndoCaption", kUndoCaptionPattern},
        UndoJobWord(TJobPage::jpRename),
        UndoJobWord(TJobPage::jpConvert),
        UndoJobWord(TJobPage::jpCrop),
        UndoJobWord(TJobPage::jpWatermark),
        UndoJobWord(TJobPage::jpPercent),
        {"reason.Damaged", ReasonText(TReason::rsDamaged)},
        {"reason.Unsupported", ReasonText(TReason::rsUnsupported)},
        {"reason.TooLarge", ReasonText(TReason::rsTooLarge)},
        {"reason.TargetExists", ReasonText(TReason::rsTargetExists)},
        {"reason.CannotWrite", ReasonText(TReason::rsCannotWrite)},
        {"reason.OutOfMemory", ReasonText(TReason::rsOutOfMemory)},
        {"reason.MarkOutside", ReasonText(TReason::rsMarkOutside)},
        {"reason.TooNarrow", ReasonText(TReason::rsTooNarrow)},
        {"reason.WatermarkUnreadable", ReasonText(TReason::rsWatermarkUnreadable)},
        {"reason.SourceUnreadable", ReasonText(TReason::rsSourceUnreadable)},
        {"reason.SourceMissing", ReasonText(TReason::rsSourceMissing)},
        {"reason.NotRegularFile", ReasonText(TReason::rsNotRegularFile)},
        {"reason.BadSize", ReasonText(TReason::rsBadSize)},
        {"reason.SmallerThanSize", ReasonText(TReason::rsSmallerThanSize)},
        {"reason.UnknownFormat", ReasonText(TReason::rsUnknownFormat)},
        {"reason.CannotEncode", ReasonText(TReason::rsCannotEncode)},
        {"reason.CannotDraw", ReasonText(TReason::rsCannotDraw)},
        {"reason.TextNotDrawn", ReasonText(TReason::rsTextNotDrawn)},
        {"reason.BadName", ReasonText(TReason::rsBadName)},
        {"reason.CannotRename", ReasonText(TReason::rsCannotRename)},
        {"reason.CannotTrash", ReasonText(TReason::rsCannotTrash)},
        {"reason.NotInTrash", ReasonText(TReason::rsNotInTrash)},
        {"reason.ChangedSince", ReasonText(TReason::rsChangedSince)},
        {"reason.DateFromFileTime", ReasonText(TReason::rsDateFromFileTime)},
        {"reason.Unexpected", ReasonText(TReason::rsUnexpected)},
    };
    return texts;
}

}  // namespace quillane
