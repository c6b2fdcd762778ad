// TSettingsStore::Save: every stored value, section by section, in the save order.
#include "ui/settings/SettingsRules.h"
#include "ui/settings/SettingsStore.h"

#include <string_view>

namespace quillane {
namespace {

// Writes into one section until the first failure; later writes are skipped, so
// nothing after a value that could not be written reaches the file.
class TSectionWriter {
public:
    TSectionWriter(TIniFile& ini, bool& ok, std::string_view section) : ini_(ini), ok_(ok), section_(section) {}

    void Text(std::string_view key, std::string_view value)
    {
        if (ok_)
            ok_ = ini_.WriteString(section_, key, value);
    }
    void Integer(std::string_view key, int value)
    {
        if (ok_)
            ok_ = ini_.WriteInteger(section_, key, value);
    }
    void Flag(std::string_view key, bool value)
    {
        if (ok_)
            ok_ = ini_.WriteBool(section_, key, value);
    }

private:
    TIniFile& ini_;
    bool& ok_;
    std::string_view section_;
};

void SavePercent(TSectionWriter out, const TPercentSettings& page)
{
    out.Text("PWidth", page.lbEdtRWidth);
    out.Text("PHeight", page.lbEdtRHeight);
    out.Flag("PConstraint", page.ChkConstraint);
    out.Text("FileNamePrefix", page.lbEdtPrefix);
    out.Integer("CmbXfixPercent", page.CmbXfixPercent);
}

void SavePixel(TSectionWriter out, const TPixelSettings& page)
{
    out.Text("Width", page.lbEdtWidth);
    out.Text("Height", page.lbEdtHeight);
    out.Integer("Rb", page.fitMode);
    out.Text("FileNamePrefix", page.EdtPrefixPixel);
    out.Integer("CmbXFixPixel", page.CmbXFixPixel);
}

// The side field of an unselected radio is not written, so the file keeps its value.
void SaveWOrH(TSectionWriter out, const TWOrHSettings& page)
{
    if (page.side == scWidth)
        out.Text("Width", page.EdtWOnly);
    if (page.side == scHeight)
        out.Text("Height", page.EdtHOnly);
    out.Integer("RB", page.side);
    out.Text("FileNamePrefix", page.EdtPrefixWOrH);
    out.Flag("ChkSkipSmaller", page.ChkSkipSmaller);
    out.Integer("CmbXFixWOrH", page.CmbXFixWorH);
}

void SaveRename(TSectionWriter out, const TRenameSettings& page)
{
    out.Text("NamePrefix", page.EdtNewName);
    out.Flag("NumberPrefix", page.RbRenameNumber);
    out.Flag("RandomPrefix", page.RbRenameRandom);
}

void SaveWatermark(TSectionWriter out, const TWatermarkSettings& page)
{
    out.Text("Text", page.EdtWatermark);
    out.Text("FontName", page.font.name);
    out.Integer("FontSize", page.font.size);
    out.Integer("FontCharset", page.font.charset);
    out.Integer("FontColor", page.font.color);
    out.Flag("FontBold", page.font.bold);
    out.Flag("FontItalic", page.font.italic);
    out.Flag("FontUnderline", page.font.underline);
    out.Flag("FontStrikeOut", page.font.strikeOut);
    out.Text("WatermarkX", page.EdtWatermarkX);
    out.Text("WatermarkY", page.EdtWatermarkY);
    out.Text("Opacity", page.EdtWatermarkOpacity);
    out.Text("FileNamePrefix", page.EdtWatermarkPrefix);
    out.Flag("RbText", page.RbText);
    out.Integer("CmbXFixWatermark", page.CmbXFixWatermark);
    out.Integer("CmbOrigin", page.CmbOrigin);
}

void SaveCrop(TSectionWriter out, const TCropSettings& page)
{
    out.Text("Left", page.EdtLeft);
    out.Text("Top", page.EdtTop);
    out.Text("Width", page.EdtW);
    out.Text("Height", page.EdtH);
    out.Text("FileNamePrefix", page.EdtCutPrefix);
    out.Integer("CmbXFixCut", page.CmbXFixCut);
}

void SaveConvert(TSectionWriter out, const TConvertSettings& page)
{
    out.Text("lbEdtPrefix2", page.lbEdtPrefix2);
    out.Integer("CmbXFix2", page.CmbXFix2);
}

}  // namespace

bool TSettingsStore::Save(const TSettings& fields, TWindowState state)
{
    bool ok = true;
    if (StoresWindowSize(state)) {
        TSectionWriter form(ini_, ok, "Form");
        form.Integer("width", fields.window.width);
        form.Integer("Height", fields.window.height);
    }
    TSectionWriter(ini_, ok, "Page").Integer("ActivePage", fields.activePage);
    SavePercent(TSectionWriter(ini_, ok, "Percent"), fields.percent);
    SavePixel(TSectionWriter(ini_, ok, "Pixel"), fields.pixel);
    SaveWOrH(TSectionWriter(ini_, ok, "WOrH"), fields.wOrH);
    SaveRename(TSectionWriter(ini_, ok, "Rename"), fields.rename);
    SaveWatermark(TSectionWriter(ini_, ok, "Watermark"), fields.watermark);
    SaveCrop(TSectionWriter(ini_, ok, "Crop"), fields.crop);
    SaveConvert(TSectionWriter(ini_, ok, "TypeChange"), fields.convert);
    return ok;
}

}  // namespace quillane
