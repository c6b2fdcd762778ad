#pragma once

#include <string>
#include <utility>

// What a routine or a step reports: success, or a failure with its reason and, where
// the library or the system said more, that text as the detail.
namespace quillane {

// Reason ids; each host shows them in its own language.
enum class TReason : int {
    rsNone = 0,      // success
    rsDamaged,       // the source cannot be decoded
    rsUnsupported,   // the content is no picture we read
    rsTooLarge,      // over the size limit
    rsTargetExists,  // a file at the target is not replaced
    rsCannotWrite,   // the target cannot be written
    rsOutOfMemory,
    rsMarkOutside,  // the watermark lands outside the picture
    rsTooNarrow,    // narrower than the minimum width
    rsWatermarkUnreadable,
    rsSourceUnreadable,
    rsSourceMissing,
    rsNotRegularFile,   // a folder, a FIFO, a device
    rsBadSize,          // the size asked for gives no picture
    rsSmallerThanSize,  // copied unscaled, as asked
    rsUnknownFormat,    // no target format or encoder
    rsCannotEncode,
    rsCannotDraw,
    rsTextNotDrawn,  // invalid text or no usable font
    rsBadName,       // a new name that leaves its folder
    rsCannotRename,
    rsCannotTrash,       // the old content could not be put in the Trash
    rsNotInTrash,        // an undo finds the entry gone from the Trash
    rsChangedSince,      // an undo finds a file other than the run left
    rsDateFromFileTime,  // a note: no capture time recorded, the file's time was used
    rsUnexpected,        // anything a routine did not foresee
};

struct TFailure {
    TReason Reason = TReason::rsUnexpected;
    std::string Detail;
};

class TOutcome {
public:
    static TOutcome Success() { return TOutcome(TReason::rsNone, {}); }
    static TOutcome Failure(TReason reason, std::string detail = {})
    {
        return TOutcome(reason == TReason::rsNone ? TReason::rsUnexpected : reason, std::move(detail));
    }
    static TOutcome Failure(const TFailure& failure) { return Failure(failure.Reason, failure.Detail); }
    // A success the reader should know something about (how a name was made).
    static TOutcome SuccessNoting(TReason note)
    {
        TOutcome outcome = Success();
        outcome.note_ = note;
        return outcome;
    }

    // True for success, so `if (!Routine(...))` reads as before.
    explicit operator bool() const { return reason_ == TReason::rsNone; }
    TReason Reason() const { return reason_; }
    const std::string& Detail() const { return detail_; }
    TFailure AsFailure() const { return {reason_, detail_}; }
    TReason Note() const { return note_; }

private:
    TOutcome(TReason reason, std::string detail) : reason_(reason), detail_(std::move(detail)) {}

    TReason reason_;
    std::string detail_;
    TReason note_ = TReason::rsNone;
};

// A failure with the text as its detail, or without it when there is no memory left
// to copy it; for catch blocks of functions that must not throw.
TOutcome FailureWithText(TReason reason, const char* text) noexcept;

// The system's text for an errno value.
std::string SystemErrorText(int error);

}  // namespace quillane
