#include "ui/settings/SettingsStore.h"

#include "ui/settings/SettingsRules.h"

namespace quillane {

TSettingsStore::TSettingsStore(std::filesystem::path file) : ini_(std::move(file)) {}

TWindowSize TSettingsStore::LoadWindowSize(TWindowSize current, TWindowSize screen) const
{
    const TWindowSize stored{ini_.ReadInteger("Form", "Width", current.width),
                             ini_.ReadInteger("Form", "height", current.height)};
    return RestoreWindowSize(stored, screen);
}

void TSettingsStore::LoadPages(TSettings& fields) const
{
    fields.activePage = ActivePageFromStored(ini_.ReadInteger("Page", "ActivePage", 0));
    LoadPercent(fields.percent);
    LoadPixel(fields.pixel);
    LoadWOrH(fields.wOrH);
    LoadRename(fields.rename);
    LoadCrop(fields.crop);
    LoadWatermark(fields.watermark);
    LoadConvert(fields.convert);
}

void TSettingsStore::LoadPercent(TPercentSettings& page) const
{
    page.ChkConstraint = ini_.ReadBool("Percent", "PConstraint", true);
    page.lbEdtRWidth = ini_.ReadString("percent", "Pwidth", "");
    page.lbEdtRHeight = ini_.ReadString("percent", "PHeight", "");
    // With the constraint on, filling the height mirrors it into the width.
    if (page.ChkConstraint)
        page.lbEdtRWidth = page.lbEdtRHeight;
    page.lbEdtPrefix = ini_.ReadString("Percent", "FileNamePrefix", page.lbEdtPrefix);
    page.CmbXfixPercent = TwoEntryFromStored(ini_.ReadInteger("percent", "CmbXfixPercent", 0));
}

void TSettingsStore::LoadPixel(TPixelSettings& page) const
{
    page.lbEdtWidth = ini_.ReadString("Pixel", "Width", "");
    page.lbEdtHeight = ini_.ReadString("Pixel", "Height", "");
    page.fitMode = FitModeFromStored(ini_.ReadInteger("Pixel", "RB", 0), page.fitMode);
    page.EdtPrefixPixel = ini_.ReadString("Pixel", "FileNamePrefix", page.EdtPrefixPixel);
    page.CmbXFixPixel = TwoEntryFromStored(ini_.ReadInteger("Pixel", "CmbXFixPixel", 0));
}

void TSettingsStore::LoadWOrH(TWOrHSettings& page) const
{
    page.side = SideFromStored(ini_.ReadInteger("WOrH", "RB", 0));
    if (page.side == scWidth)
        page.EdtWOnly = ini_.ReadString("WOrH", "Width", "");
    if (page.side == scHeight)
        page.EdtHOnly = ini_.ReadString("WOrH", "Height", "");
    page.EdtPrefixWOrH = ini_.ReadString("WOrH", "FileNamePrefix", page.EdtPrefixWOrH);
    page.ChkSkipSmaller = ini_.ReadBool("WOrH", "ChkSkipSmaller", false);
    page.CmbXFixWorH = TwoEntryFromStored(ini_.ReadInteger("WorH", "CmbXFixWorH", 0));
}

void TSettingsStore::LoadRename(TRenameSettings& page) const
{
    page.EdtNewName = ini_.ReadString("Rename", "NamePrefix", "");
    SetRenameNumber(ini_.ReadBool("Rename", "NumberPrefix", page.RbRenameNumber), page);
    SetRenameRandom(ini_.ReadBool("Rename", "RandomPrefix", page.RbRenameRandom), page);
}

void TSettingsStore::LoadCrop(TCropSettings& page) const
{
    page.EdtLeft = ini_.ReadString("Crop", "Left", page.EdtLeft);
    page.EdtTop = ini_.ReadString("Crop", "Top", page.EdtTop);
    page.EdtH = ini_.ReadString("Crop", "Height", page.EdtH);
    page.EdtW = ini_.ReadString("Crop", "Width", page.EdtW);
    page.EdtCutPrefix = ini_.ReadString("Crop", "FileNamePrefix", page.EdtCutPrefix);
    page.CmbXFixCut = TwoEntryFromStored(ini_.ReadInteger("Crop", "CmbXFixCut", 0));
}

void TSettingsStore::LoadWatermark(TWatermarkSettings& page) const
{
    page.EdtWatermark = ini_.ReadString("Watermark", "Text", "");
    LoadWatermarkFont(page.font);
    page.EdtWatermarkX = ini_.ReadString("Watermark", "WatermarkX", "");
    page.EdtWatermarkY = ini_.ReadString("Watermark", "WatermarkY", "");
    page.EdtWatermarkOpacity = ini_.ReadString("Watermark", "Opacity", "100");
    page.EdtWatermarkPrefix = ini_.ReadString("Watermark", "FileNamePrefix", page.EdtWatermarkPrefix);
    page.RbText = ini_.ReadBool("Watermark", "RbText", true);
    page.CmbXFixWatermark = TwoEntryFromStored(ini_.ReadInteger("Watermark", "CmbXFixWatermark", 0));
    page.CmbOrigin = TwoEntryFromStored(ini_.ReadInteger("Watermark", "CmbOrigin", 0));
}

// Size, face, character set and colour first; then the styles, from none.
void TSettingsStore::LoadWatermarkFont(TFontSettings& font) const
{
    font.size = ini_.ReadInteger("Watermark", "Fontsize", font.size);
    font.name = ini_.ReadString("Watermark", "FontName", font.name);
    const int charset = ini_.ReadInteger("Watermark", "FontCharset", font.charset);
    if (charset >= 0 && charset <= 255)
        font.charset = charset;
    font.color = ini_.ReadInteger("Watermark", "FontColor", font.color);
    font.bold = ini_.ReadBool("Watermark", "FontBold", false);
    font.italic = ini_.ReadBool("Watermark", "FontItalic", false);
    font.underline = ini_.ReadBool("Watermark", "FontUnderline", false);
    font.strikeOut = ini_.ReadBool("Watermark", "FontStrikeOut", false);
}

void TSettingsStore::LoadConvert(TConvertSettings& page) const
{
    page.lbEdtPrefix2 = ini_.ReadString("TypeChange", "lbEdtPrefix2", page.lbEdtPrefix2);
    page.CmbXFix2 = TwoEntryFromStored(ini_.ReadInteger("TypeChange", "CmbXFix2", 0));
}

}  // namespace quillane
