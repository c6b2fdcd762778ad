#pragma once

// The engine's own texts, defined once: the messages of the checks, the result lines,
// the closing messages and the overwrite question. Both hosts show them as they are.
namespace quillane {

// The closing message of every job but the watermark job.
inline constexpr const char* kProcessingFinished = "处理完成！";
// The watermark job's closing message.
inline constexpr const char* kWatermarkFinished = "水印添加完成！";
// The question of the overwrite prompt, for an existing target.
inline constexpr const char* kOverwriteQuestion = "要创建的文件已存在，是否覆盖？";
// An output folder of a walk that could not be made; the folder follows.
inline constexpr const char* kCannotMakeFolder = "不能新建目录:";

// The output folder steps of the thumbnail pages, then of the pages that write new files.
inline constexpr const char* kThumbFolderEmpty = "请输入缩略图存放目录？";
inline constexpr const char* kThumbFolderMissing = "缩略图输出路径不存在，是否创建？";
inline constexpr const char* kNewFileFolderEmpty = "请输入新文件存放目录？";
inline constexpr const char* kNewFileFolderMissing = "新文件输出路径不存在，是否创建？";
inline constexpr const char* kCannotCreateFolder = "不能新建目录，请检查输入是否正确！";

// The three thumbnail jobs.
inline constexpr const char* kNoThumbFiles = "没有需要创建缩略图的文件！";
inline constexpr const char* kBadThumbRule = "请正确设置缩略图创建规则！";
inline constexpr const char* kThumbSucceeded = "创建缩略图成功！";
inline constexpr const char* kThumbFailed = "创建缩略图失败！";
inline constexpr const char* kNoSideChosen = "请选择创建缩略图的方式！";
inline constexpr const char* kSideSucceeded = "创建缩略图成功。";
inline constexpr const char* kSideNotCreated = "没有创建缩略图。";

// Rename.
inline constexpr const char* kNoFilesToRename = "没有需要重命名的文件！";
inline constexpr const char* kRenamed = "重命名成功！";
inline constexpr const char* kNotRenamed = "重命名失败！";

// Conversion.
inline constexpr const char* kNoFilesToConvert = "没有需要进行类型转换的文件！";
inline constexpr const char* kNoTargetType = "请选择新文件类型？";
inline constexpr const char* kConverted = "类型转换成功！";
inline constexpr const char* kNotConverted = "没有进行类型转换！";

// Crop.
inline constexpr const char* kNoFilesToCrop = "没有需要进行剪裁的文件！";
inline constexpr const char* kCropped = "剪裁完成！";
inline constexpr const char* kNotCropped = "剪裁失败！";

// Watermark.
inline constexpr const char* kNoFilesToStamp = "没有需要进行处理的文件！";
inline constexpr const char* kBadOpacity = "请正确输入水印标签不透明度(100%为完全不透明)？";
inline constexpr const char* kOpacityOutOfRange = "请输入水印标签不透明度(100%为完全不透明)？";
inline constexpr const char* kNoPosition = "请输入水印标签位置！";
inline constexpr const char* kNoMarkText = "请输入水印标签？";
inline constexpr const char* kNoMarkPicture = "请输入水印标签图片文件？";
inline constexpr const char* kStamped = "增加水印标签完成！";
inline constexpr const char* kNotStamped = "增加水印标签失败！";

// Undo.
inline constexpr const char* kNothingToUndo = "没有可以撤销的操作。";
inline constexpr const char* kAlreadyUndone = "已撤销";
inline constexpr const char* kUndoneLine = "撤销成功！";
inline constexpr const char* kUndoMenu = "撤销上次操作";
// How the undo caption names the job it takes back.
inline constexpr const char* kUndoJobRename = "重命名";
inline constexpr const char* kUndoJobConvert = "类型转换";
inline constexpr const char* kUndoJobCrop = "剪裁";
inline constexpr const char* kUndoJobWatermark = "水印";
inline constexpr const char* kUndoJobThumbnails = "缩略图";

}  // namespace quillane
