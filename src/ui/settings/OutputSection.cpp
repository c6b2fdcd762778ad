// TSettingsStore's [Output] section: the output settings, one key each.
#include "ui/settings/SettingsStore.h"

#include <string_view>

namespace quillane {

namespace {

constexpr std::string_view kSection = "Output";

// Each number of the settings with its key and range.
struct TNumberKey {
    const char* Key;
    int TOutputSettings::*Value;
    TSettingRange Range;
};

constexpr TNumberKey kNumbers[] = {
    {"JpegQuality", &TOutputSettings::JpegQuality, kQualityRange},
    {"WebpQuality", &TOutputSettings::WebpQuality, kQualityRange},
    {"AvifQuality", &TOutputSettings::AvifQuality, kQualityRange},
    {"HeicQuality", &TOutputSettings::HeicQuality, kQualityRange},
    {"JxlQuality", &TOutputSettings::JxlQuality, kQualityRange},
    {"PngCompression", &TOutputSettings::PngCompression, kPngCompressionRange},
    {"AvifEffort", &TOutputSettings::AvifEffort, kEffortRange},
    {"HeicEffort", &TOutputSettings::HeicEffort, kEffortRange},
    {"JxlEffort", &TOutputSettings::JxlEffort, kEffortRange},
};

constexpr TSettingRange kMetadataRange{static_cast<int>(TMetadataMode::mdKeep),
                                       static_cast<int>(TMetadataMode::mdStripGps)};

// The stored number, or the default when it is missing, no number or out of range.
int NumberOrDefault(const TIniFile& ini, const char* key, TSettingRange range, int fallback)
{
    const int stored = ini.ReadInteger(kSection, key, fallback);
    return range.Holds(stored) ? stored : fallback;
}

}  // namespace

TOutputSettings TSettingsStore::LoadOutput() const
{
    TOutputSettings settings;
    for (const TNumberKey& number : kNumbers)
        settings.*number.Value = NumberOrDefault(ini_, number.Key, number.Range, settings.*number.Value);
    settings.Lossless = ini_.ReadBool(kSection, "Lossless", settings.Lossless);
    settings.Metadata = static_cast<TMetadataMode>(
        NumberOrDefault(ini_, "Metadata", kMetadataRange, static_cast<int>(settings.Metadata)));
    settings.KeepTimes = ini_.ReadBool(kSection, "KeepTimes", settings.KeepTimes);
    settings.TrashReplaced = ini_.ReadBool(kSection, "TrashReplaced", settings.TrashReplaced);
    return settings;
}

bool TSettingsStore::SaveOutput(const TOutputSettings& settings)
{
    bool ok = true;
    for (const TNumberKey& number : kNumbers)
        ok = ok && ini_.WriteInteger(kSection, number.Key, settings.*number.Value);
    ok = ok && ini_.WriteBool(kSection, "Lossless", settings.Lossless);
    ok = ok && ini_.WriteInteger(kSection, "Metadata", static_cast<int>(settings.Metadata));
    ok = ok && ini_.WriteBool(kSection, "KeepTimes", settings.KeepTimes);
    return ok && ini_.WriteBool(kSection, "TrashReplaced", settings.TrashReplaced);
}

}  // namespace quillane
