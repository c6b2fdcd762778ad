#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The names a user types for a picture type, on the command line: any extension of
// the format (jpg or jpeg, tif or tiff, heic or heif, ...) in any letter case.
namespace quillane {

// One name per entry of the type list, in list order: jpeg, png, bmp, gif, tiff, webp,
// heic, avif, jxl.
const std::vector<std::string>& TypeNames();

// The index in the type list of the entry the name stands for; none for a name of
// no entry.
std::optional<int> TypeIndexNamed(std::string_view name);

// One name per entry of the conversion's target box, in box order: jpg, bmp, gif, png,
// tif, webp, avif, heic, jxl.
const std::vector<std::string>& ConvertTargetNames();

// The index in the conversion's target box of the format the name stands for; none
// for a name of no target.
std::optional<int> ConvertTargetNamed(std::string_view name);

}  // namespace quillane
