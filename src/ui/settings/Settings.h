#pragma once

#include <cstdint>
#include <string>

namespace quillane {

// A colour as the settings file stores it: red in the lowest byte, then green, then
// blue. A value whose top byte is 0xFF names a system colour instead.
using TColor = std::int32_t;

// The system's window-text colour; the watermark font has it until a colour is picked.
inline constexpr TColor clWindowText = static_cast<TColor>(0xFF000008u);

struct TWindowSize {
    int width = 839;
    int height = 669;
    bool operator==(const TWindowSize&) const = default;
};

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// Fitting mode of the exact-size thumbnail page, in the order of its three radios.
enum TFitMode { fmNoScale = 0, fmScale = 1, fmScaleCut = 2 };

// Side chosen on the single-side thumbnail page.
enum TSideChoice { scNone = 0, scWidth = 1, scHeight = 2 };

// Entries of the affix position boxes and of the watermark's reference corner box.
enum TAffixEntry { aeSuffix = 0, aePrefix = 1 };
enum TOriginEntry { oeBottomRight = 0, oeTopLeft = 1 };

struct TFontSettings {
    std::string name = "MS Sans Serif";
    int size = 8;     // points
    int charset = 1;  // the platform's default character set
    TColor color = clWindowText;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const TFontSettings&) const = default;
};

// Every stored field, named after the control that shows it and starting from the
// control's initial content. Fields the settings file does not keep are not here.
struct TPercentSettings {
    std::string lbEdtRWidth;
    std::string lbEdtRHeight;
    bool ChkConstraint = true;
    std::string lbEdtPrefix = "_s";
    int CmbXfixPercent = aeSuffix;
    bool operator==(const TPercentSettings&) const = default;
};

struct TPixelSettings {
    std::string lbEdtWidth;
    std::string lbEdtHeight;
    TFitMode fitMode = fmNoScale;  // RbNoScale, RbScale or RbScaleCut
    std::string EdtPrefixPixel = "_s";
    int CmbXFixPixel = aeSuffix;
    bool operator==(const TPixelSettings&) const = default;
};

struct TWOrHSettings {
    TSideChoice side = scNone;  // RbWOnly, RbHOnly or neither
    std::string EdtWOnly;
    std::string EdtHOnly;
    std::string EdtPrefixWOrH = "_s";
    bool ChkSkipSmaller = false;
    int CmbXFixWorH = aeSuffix;
    bool operator==(const TWOrHSettings&) const = default;
};

struct TRenameSettings {
    std::string EdtNewName;
    bool RbRenameNumber = true;
    bool RbRenameRandom = false;
    bool operator==(const TRenameSettings&) const = default;
};

struct TCropSettings {
    std::string EdtLeft = "0";
    std::string EdtTop = "0";
    std::string EdtW = "100";
    std::string EdtH = "100";
    std::string EdtCutPrefix = "_c";
    int CmbXFixCut = aeSuffix;
    bool operator==(const TCropSettings&) const = default;
};

struct TWatermarkSettings {
    std::string EdtWatermark;
    TFontSettings font;  // the font of EdtWatermarkFont
    std::string EdtWatermarkX;
    std::string EdtWatermarkY;
    std::string EdtWatermarkOpacity = "100";
    std::string EdtWatermarkPrefix = "_w";
    bool RbText = true;  // RbImgWatermark is always the opposite
    int CmbXFixWatermark = aeSuffix;
    int CmbOrigin = oeBottomRight;
    bool operator==(const TWatermarkSettings&) const = default;
};

struct TConvertSettings {
    std::string lbEdtPrefix2;
    int CmbXFix2 = aeSuffix;
    bool operator==(const TConvertSettings&) const = default;
};

struct TSettings {
    TWindowSize window;
    int activePage = 0;  // 0 to 6, or -1 while no page is shown
    TPercentSettings percent;
    TPixelSettings pixel;
    TWOrHSettings wOrH;
    TRenameSettings rename;
    TCropSettings crop;
    TWatermarkSettings watermark;
    TConvertSettings convert;
    bool operator==(const TSettings&) const = default;
};

}  // namespace quillane
