#pragma once

// Texts that the engine and both hosts share, defined once.
namespace quillane {

// The closing message of every job but the watermark job.
inline constexpr const char* kProcessingFinished = "处理完成！";
// The watermark job's closing message.
inline constexpr const char* kWatermarkFinished = "水印添加完成！";
// The question of the overwrite prompt, for an existing target.
inline constexpr const char* kOverwriteQuestion = "要创建的文件已存在，是否覆盖？";

}  // namespace quillane
