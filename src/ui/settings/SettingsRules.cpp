#include "ui/settings/SettingsRules.h"

#include <cstdint>

namespace quillane {
namespace {

constexpr int kMinimumSide = 10;
constexpr int kHeightAllowance = 10;
constexpr int kPageCount = 7;

std::uint32_t Bits(TColor color)
{
    return static_cast<std::uint32_t>(color);
}

}  // namespace

TWindowSize RestoreWindowSize(TWindowSize stored, TWindowSize screen)
{
    TWindowSize size = stored;
    if (size.width < kMinimumSide || size.width > screen.width)
        size.width = screen.width;
    if (size.height < kMinimumSide || size.height > screen.height + kHeightAllowance)
        size.height = screen.height;
    return size;
}

bool StoresWindowSize(TWindowState state)
{
    return state == TWindowState::wsNormal;
}

int ActivePageFromStored(int stored)
{
    return stored >= 0 && stored < kPageCount ? stored : -1;
}

TFitMode FitModeFromStored(int stored, TFitMode current)
{
    switch (stored) {
    case fmNoScale:
        return fmNoScale;
    case fmScale:
        return fmScale;
    case fmScaleCut:
        return fmScaleCut;
    default:
        return current;
    }
}

TSideChoice SideFromStored(int stored)
{
    if (stored == scWidth)
        return scWidth;
    if (stored == scHeight)
        return scHeight;
    return scNone;
}

int TwoEntryFromStored(int stored)
{
    return stored != 0 ? 1 : 0;
}

void SetRenameNumber(bool checked, TRenameSettings& fields)
{
    fields.RbRenameNumber = checked;
    if (checked)
        fields.RbRenameRandom = false;
}

void SetRenameRandom(bool checked, TRenameSettings& fields)
{
    fields.RbRenameRandom = checked;
    if (checked)
        fields.RbRenameNumber = false;
}

std::string FontCaption(const TFontSettings& font)
{
    return font.name + " [" + std::to_string(font.size) + "]";
}

TColor ColorFromRgb(int red, int green, int blue)
{
    const auto part = [](int value) { return static_cast<std::uint32_t>(value) & 0xFFu; };
    return static_cast<TColor>(part(red) | part(green) << 8 | part(blue) << 16);
}

int RedOf(TColor color)
{
    return static_cast<int>(Bits(color) & 0xFFu);
}
int GreenOf(TColor color)
{
    return static_cast<int>(Bits(color) >> 8 & 0xFFu);
}
int BlueOf(TColor color)
{
    return static_cast<int>(Bits(color) >> 16 & 0xFFu);
}

bool IsSystemColor(TColor color)
{
    return (Bits(color) >> 24) == 0xFFu;
}

TColor ResolveColor(TColor color, TColor windowText)
{
    if (IsSystemColor(color))
        return static_cast<TColor>(Bits(windowText) & 0xFFFFFFu);
    return static_cast<TColor>(Bits(color) & 0xFFFFFFu);
}

}  // namespace quillane
