#include "imaging/Convert.h"

#include <stdlib.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "imaging/ConvertSteps.h"
#include "imaging/Graphics.h"
#include "imaging/LibraryGuard.h"

namespace quillane {

namespace {

// A uniquely named file in the system temporary folder, private to its owner (it
// holds the pixels of a source that may be private) and removed when the object goes.
class TPrivateTemporary {
public:
    explicit TPrivateTemporary(const std::string& suffix)
    {
        std::string name = TempFolderPath() + "quillane-XXXXXX" + suffix;
        // mkstemps creates the file with mode 0600 and a name no one else has.
        const int fd = ::mkstemps(name.data(), static_cast<int>(suffix.size()));
        if (fd < 0)
            return;
        ::close(fd);
        path_ = name;
    }
    ~TPrivateTemporary()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TPrivateTemporary(const TPrivateTemporary&) = delete;
    TPrivateTemporary& operator=(const TPrivateTemporary&) = delete;

    bool IsCreated() const { return !path_.empty(); }
    const TPath& Path() const { return path_; }

private:
    TPath path_;
};

TOutcome ConvertThroughBmp(const TSaveDecoded& save, const TPath& source, const TPath& target, bool overwrite)
{
    const TPrivateTemporary bitmap(".bmp");
    if (!bitmap.IsCreated())
        return TOutcome::Failure(TReason::rsCannotWrite);
    if (TOutcome made = ConvertImageWith(save, source, bitmap.Path(), ifBmp, true); !made)
        return made;
    return ConvertImageWith(save, bitmap.Path(), target, ifJpeg, overwrite);
}

TOutcome Convert(const TSaveDecoded& save, const TPath& source, const TPath& target, int format, bool overwrite)
{
    if (!PrepareTarget(target, overwrite))
        return TOutcome::Failure(TReason::rsTargetExists);
    if (SameFile(source, target))
        return TOutcome::Success();
    const std::optional<TImageFormat> known = FormatOfValue(format);
    if (known && HasExtensionOf(source, *known))
        return CopyFileReplacing(source, target, overwrite);
    TOutcome saved = save(source, target, format, overwrite);
    if (saved)
        return saved;
    // Some TIFFs go to JPEG only by way of a plain bitmap; a fallback that fails as
    // well tells the first failure, the one about the picture itself.
    if (known == ifJpeg && HasExtensionOf(source, ifTiff)) {
        TOutcome fallback = ConvertThroughBmp(save, source, target, overwrite);
        if (fallback || fallback.Reason() == TReason::rsTargetExists)
            return fallback;
    }
    return saved;
}

}  // namespace

TOutcome SaveDecoded(const TPath& source, const TPath& target, int format, bool overwrite)
{
    const std::optional<TImageFormat> known = FormatOfValue(format);
    const TEncoderId encoder = known ? EncoderForFormat(*known) : TEncoderId{};
    // The decoded picture itself, first frame of a multi-frame file, is written.
    return TGPImage(source).Save(target, encoder, overwrite);
}

TOutcome ConvertImageWith(const TSaveDecoded& save, const TPath& source, const TPath& target, int format,
                          bool overwrite)
{
    // Out of memory, or a library error that slipped through.
    return GuardedOutcome(TReason::rsDamaged, [&] { return Convert(save, source, target, format, overwrite); });
}

TOutcome ConvertImage(const TPath& source, const TPath& target, int format, bool overwrite)
{
    return ConvertImageWith(SaveDecoded, source, target, format, overwrite);
}

}  // namespace quillane
