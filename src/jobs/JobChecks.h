#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "jobs/FieldText.h"
#include "jobs/JobHost.h"

namespace quillane {

// The check steps that the jobs share. Each shows its one message and returns false
// (or nothing) when the click is to stop there.

// Step 1: the source list must hold items.
bool CheckListNotEmpty(TJobHost& host, const TSourceList& sources, const std::string& message);

// A size field: empty after trimming, then the value 0, both refused with `message`.
// The focus moves to the field on a 0, and on an empty text when `focusWhenEmpty`.
// A text that is no whole number ends the click through the general error display.
std::optional<std::int32_t> CheckNonZeroField(TJobHost& host, const TNamedField& field, const std::string& message,
                                              bool focusWhenEmpty = true);

// The three texts of a page's output folder steps.
struct TSaveFolderTexts {
    std::string Empty;         // question, OK
    std::string Missing;       // question, Yes and No
    std::string CannotCreate;  // information, OK
};

const TSaveFolderTexts& ThumbSaveFolderTexts();
// The conversion, crop and watermark pages speak of "new files" rather than thumbnails.
const TSaveFolderTexts& NewFileSaveFolderTexts();

// The output folder steps: the field must not be empty; a missing folder is created
// after Yes, exactly one level (its parent must exist). A host that rehearses is told
// the folder is missing, and nothing is made.
bool CheckSaveFolder(TJobHost& host, const TNamedField& saveField, const TSaveFolderTexts& texts);

}  // namespace quillane
