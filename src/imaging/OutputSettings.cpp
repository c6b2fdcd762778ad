#include "imaging/OutputSettings.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace quillane {

namespace {

thread_local const TOutputSettings* tCurrent = nullptr;

}  // namespace

bool ValidOutputSettings(const TOutputSettings& settings)
{
    for (int quality :
         {settings.JpegQuality, settings.WebpQuality, settings.AvifQuality, settings.HeicQuality, settings.JxlQuality})
        if (!kQualityRange.Holds(quality))
            return false;
    for (int effort : {settings.AvifEffort, settings.HeicEffort, settings.JxlEffort})
        if (!kEffortRange.Holds(effort))
            return false;
    return kPngCompressionRange.Holds(settings.PngCompression);
}

const TOutputSettings& CurrentOutputSettings()
{
    static const TOutputSettings kDefaults;
    return tCurrent != nullptr ? *tCurrent : kDefaults;
}

TOutputScope::TOutputScope(const TOutputSettings& settings) : previous_(tCurrent)
{
    tCurrent = &settings;
}

TOutputScope::~TOutputScope()
{
    tCurrent = previous_;
}

bool CopyModificationTime(const TPath& source, const TPath& target)
{
    struct stat status {};
    if (::stat(source.c_str(), &status) != 0)
        return false;
    const struct timespec times[2] = {{0, UTIME_OMIT}, status.st_mtim};
    return ::utimensat(AT_FDCWD, target.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

TOutcome WriteWithSettings(const TOutputSettings& settings, const TPath& source, const TPath& target,
                           const std::function<TOutcome()>& routine)
{
    const TOutputScope scope(settings);
    TOutcome outcome = routine();
    // The file is written and stays; a time that cannot be set does not undo that.
    if (outcome && settings.KeepTimes)
        CopyModificationTime(source, target);
    return outcome;
}

}  // namespace quillane
