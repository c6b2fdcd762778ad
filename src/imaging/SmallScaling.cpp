#include "imaging/SmallScaling.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace quillane {

namespace {

// Taps of one output position along one direction: the inputs it weighs (an edge's
// repeated for positions past it) and their weights, which sum to one.
struct TTaps {
    std::vector<int> From;
    std::vector<float> Weights;
};

double FilterAt(TFilter filter, double t)
{
    t = std::fabs(t);
    if (filter == TFilter::Triangle)
        return t < 1.0 ? 1.0 - t : 0.0;
    if (t < 1.0)
        return (1.5 * t - 2.5) * t * t + 1.0;
    if (t < 2.0)
        return ((-0.5 * t + 2.5) * t - 4.0) * t + 2.0;
    return 0.0;
}

// `extent`: how many inputs the row or column stands for.
std::vector<TTaps> TapsAlong(int inputs, double extent, int outputs, TFilter filter)
{
    const double shrink = extent / outputs;
    const double stretch = std::max(1.0, shrink);
    const double reach = (filter == TFilter::Triangle ? 1.0 : 2.0) * stretch;
    std::vector<TTaps> taps(static_cast<std::size_t>(outputs));
    for (int out = 0; out < outputs; ++out) {
        const double centre = (out + 0.5) * shrink - 0.5;
        TTaps& tap = taps[static_cast<std::size_t>(out)];
        const int first = static_cast<int>(std::floor(centre - reach)) + 1;
        const int last = static_cast<int>(std::ceil(centre + reach)) - 1;
        double sum = 0.0;
        for (int in = first; in <= last; ++in) {
            const double weight = FilterAt(filter, (in - centre) / stretch);
            tap.From.push_back(std::clamp(in, 0, inputs - 1));
            tap.Weights.push_back(static_cast<float>(weight));
            sum += weight;
        }
        for (float& weight : tap.Weights)
            weight = static_cast<float>(weight / sum);
    }
    return taps;
}

bool AlphaOpaque(const TPixelRows& rows)
{
    for (int y = 0; y < rows.Height; ++y) {
        const std::uint8_t* pixel = rows.Bytes + rows.RowBytes * static_cast<std::size_t>(y) + (rows.Bands - 1);
        for (int x = 0; x < rows.Width; ++x, pixel += rows.Bands)
            if (*pixel != 255)
                return false;
    }
    return true;
}

template <typename TSample>
void AddWeighted(float* target, const TSample* source, std::size_t length, float weight)
{
    for (std::size_t i = 0; i < length; ++i)  // every sample alike: the loop the compiler widens
        target[i] += weight * source[i];
}

// Each output row a weighted sum of input rows, of the first `bands` samples of every
// pixel: colour times alpha when weighted. Read straight from the 8-bit rows, so the
// picture is never held as floats.
std::vector<float> AlongColumns(const TPixelRows& rows, int bands, bool weighted, const std::vector<TTaps>& taps)
{
    const std::size_t length = static_cast<std::size_t>(rows.Width) * static_cast<std::size_t>(bands);
    std::vector<float> out(length * taps.size(), 0.0F);
    for (std::size_t row = 0; row < taps.size(); ++row) {
        float* target = &out[length * row];
        for (std::size_t k = 0; k < taps[row].From.size(); ++k) {
            const std::uint8_t* source = rows.Bytes + rows.RowBytes * static_cast<std::size_t>(taps[row].From[k]);
            const float weight = taps[row].Weights[k];
            if (!weighted && rows.Bands == bands) {
                AddWeighted(target, source, length, weight);
                continue;
            }
            const std::uint8_t* pixel = source;
            float* sum = target;
            for (int x = 0; x < rows.Width; ++x, pixel += rows.Bands, sum += bands) {
                const float colourWeight = weighted ? weight * pixel[bands - 1] / 255.0F : weight;
                for (int band = 0; band < bands; ++band)
                    sum[band] += (weighted && band == bands - 1 ? weight : colourWeight) * pixel[band];
            }
        }
    }
    return out;
}

std::vector<float> AlongColumns(const TBoxAverages& boxes, const std::vector<TTaps>& taps)
{
    const std::size_t length = static_cast<std::size_t>(boxes.Width()) * static_cast<std::size_t>(boxes.Bands());
    std::vector<float> out(length * taps.size(), 0.0F);
    for (std::size_t row = 0; row < taps.size(); ++row)
        for (std::size_t k = 0; k < taps[row].From.size(); ++k)
            AddWeighted(&out[length * row], &boxes.Averages()[length * static_cast<std::size_t>(taps[row].From[k])],
                        length, taps[row].Weights[k]);
    return out;
}

// Each output pixel a weighted sum of the pixels of its row.
std::vector<float> AlongRows(const std::vector<float>& in, int inWidth, int rowCount, int bands,
                             const std::vector<TTaps>& taps)
{
    const auto outWidth = taps.size();
    const auto pixelBands = static_cast<std::size_t>(bands);
    std::vector<float> out(outWidth * static_cast<std::size_t>(rowCount) * pixelBands, 0.0F);
    for (int y = 0; y < rowCount; ++y) {
        const float* row = &in[static_cast<std::size_t>(y) * static_cast<std::size_t>(inWidth) * pixelBands];
        float* target = &out[static_cast<std::size_t>(y) * outWidth * pixelBands];
        for (std::size_t x = 0; x < outWidth; ++x, target += bands)
            for (std::size_t k = 0; k < taps[x].From.size(); ++k) {
                const float* pixel = row + static_cast<std::size_t>(taps[x].From[k]) * pixelBands;
                const float weight = taps[x].Weights[k];
                for (int band = 0; band < bands; ++band)
                    target[band] += weight * pixel[band];
            }
    }
    return out;
}

std::uint8_t ToLevel(float value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0.0F, 255.0F) + 0.5F);
}

}  // namespace

TScaledPixels ScaledDown(const TPixelRows& rows, int width, int height, TFilter filter, bool alpha)
{
    const bool dropAlpha = alpha && AlphaOpaque(rows);
    const bool weighted = alpha && !dropAlpha;
    TScaledPixels scaled;
    scaled.Bands = dropAlpha ? rows.Bands - 1 : rows.Bands;
    const std::vector<float> columns =
        AlongColumns(rows, scaled.Bands, weighted, TapsAlong(rows.Height, rows.Height, height, filter));
    const std::vector<float> result =
        AlongRows(columns, rows.Width, height, scaled.Bands, TapsAlong(rows.Width, rows.Width, width, filter));
    scaled.Bytes.resize(result.size());
    for (std::size_t at = 0; at < result.size(); at += static_cast<std::size_t>(scaled.Bands)) {
        const float opacity = weighted ? result[at + scaled.Bands - 1] : 255.0F;
        for (int band = 0; band < scaled.Bands; ++band) {
            const bool colour = weighted && band < scaled.Bands - 1;
            const float value =
                colour ? (opacity > 0.0F ? result[at + band] * 255.0F / opacity : 0.0F) : result[at + band];
            scaled.Bytes[at + band] = ToLevel(value);
        }
    }
    return scaled;
}

TScaledPixels ScaledDown(const TBoxAverages& boxes, int width, int height, TFilter filter, TExtent extent)
{
    const std::vector<float> columns = AlongColumns(boxes, TapsAlong(boxes.Height(), extent.Height, height, filter));
    const std::vector<float> result =
        AlongRows(columns, boxes.Width(), height, boxes.Bands(), TapsAlong(boxes.Width(), extent.Width, width, filter));
    TScaledPixels scaled{std::vector<std::uint8_t>(result.size()), boxes.Bands()};
    std::transform(result.begin(), result.end(), scaled.Bytes.begin(), ToLevel);
    return scaled;
}

}  // namespace quillane
