#include <vector>

#include "imaging/Watermark.h"
#include "imaging/WatermarkDrawing.h"

namespace quillane {

TColorMatrix IdentityMatrix()
{
    TColorMatrix matrix;
    for (int i = 0; i < 5; ++i)
        matrix.m[i][i] = 1.0f;
    return matrix;
}

TColorMatrix OpacityMatrix(float alphaScale)
{
    TColorMatrix matrix = IdentityMatrix();
    matrix.m[3][3] = alphaScale;
    return matrix;
}

// Each drawn component is the sum over the source components times its column,
// plus row 4; components run 0..1, so the offsets are scaled to 0..255.
vips::VImage ApplyColorMatrix(const vips::VImage& rgba, const TColorMatrix& matrix)
{
    std::vector<double> rows;
    std::vector<double> offsets;
    for (int out = 0; out < 4; ++out) {
        for (int in = 0; in < 4; ++in)
            rows.push_back(matrix.m[in][out]);
        offsets.push_back(matrix.m[4][out] * 255.0 + 0.5);  // +0.5: the cast below truncates
    }
    const vips::VImage recombination = vips::VImage::new_matrix(4, 4, rows.data(), static_cast<int>(rows.size()));
    return rgba.recomb(recombination)
        .linear(std::vector<double>{1.0, 1.0, 1.0, 1.0}, offsets)
        .cast(VIPS_FORMAT_UCHAR)
        .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

}  // namespace quillane
