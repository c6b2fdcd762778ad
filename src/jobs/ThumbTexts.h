#pragma once

#include "jobs/RunTexts.h"

namespace quillane {

// Messages and result lines shared by the three thumbnail jobs.
inline constexpr const char* kNoThumbFiles = "没有需要创建缩略图的文件！";
inline constexpr const char* kBadThumbRule = "请正确设置缩略图创建规则！";
inline constexpr const char* kThumbSucceeded = "创建缩略图成功！";
inline constexpr const char* kThumbFailed = "创建缩略图失败！";

}  // namespace quillane
