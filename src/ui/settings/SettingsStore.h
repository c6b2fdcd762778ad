#pragma once

#include "ui/settings/IniFile.h"
#include "ui/settings/Settings.h"

#include "imaging/OutputSettings.h"

#include <filesystem>
#include <string>

namespace quillane {

// Quillane.ini as the main window uses it: opened when the window is created, read
// in two stages while it is built, written once when it closes.
class TSettingsStore {
public:
    explicit TSettingsStore(std::filesystem::path file);

    // Stage one: the stored window size (default `current`), fitted to the screen.
    TWindowSize LoadWindowSize(TWindowSize current, TWindowSize screen) const;

    // Stage two: every page field, in the order the window reads them. `fields` holds
    // what the controls show now, which is the default of every key that falls back
    // to the field's own text. The radio and choice rules are applied, and so is the
    // percentage constraint's mirroring, so `fields` is what the controls end up
    // showing. The window runs the click behaviour of each radio or check box whose
    // state differs from before.
    void LoadPages(TSettings& fields) const;

    // Writes every stored value in the save order; the window size only when the
    // window is in its normal state. Stops at the first value that cannot be written
    // and returns false; Error() then holds "Unable to write to <file>".
    bool Save(const TSettings& fields, TWindowState state);

    // The window's language as stored, "en" or "zh"; empty when none is.
    std::string LoadLanguage() const { return ini_.ReadString("Form", "Language", ""); }
    bool SaveLanguage(const std::string& code) { return ini_.WriteString("Form", "Language", code); }

    // The [Output] section: how every job writes pictures. A missing key, or a value
    // that is no number in its range, gives that setting's default.
    TOutputSettings LoadOutput() const;
    // Writes the whole section; the file's other sections and keys stay as they are.
    // False, with Error() set, when the file cannot be written.
    bool SaveOutput(const TOutputSettings& settings);

    const std::string& Error() const { return ini_.Error(); }
    const std::filesystem::path& FileName() const { return ini_.FileName(); }

private:
    void LoadPercent(TPercentSettings& page) const;
    void LoadPixel(TPixelSettings& page) const;
    void LoadWOrH(TWOrHSettings& page) const;
    void LoadRename(TRenameSettings& page) const;
    void LoadCrop(TCropSettings& page) const;
    void LoadWatermark(TWatermarkSettings& page) const;
    void LoadWatermarkFont(TFontSettings& font) const;
    void LoadConvert(TConvertSettings& page) const;

    TIniFile ini_;
};

}  // namespace quillane
