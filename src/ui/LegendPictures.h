#pragma once

#include <QPixmap>

namespace quillane {

inline constexpr int kLegendWidth = 53;
inline constexpr int kLegendHeight = 47;

// The origin legend of the watermark page, one picture per entry of the reference
// corner box: a yellow box "水印" in a frame, with the X and Y distances drawn as
// arrows. Entry 0 measures from the bottom-right corner, entry 1 from the top-left.
// Any other entry gives an empty picture.
QPixmap OriginLegend(int entry);

}  // namespace quillane
