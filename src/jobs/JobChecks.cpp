#include "jobs/JobChecks.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "jobs/JobTexts.h"

namespace quillane {

namespace {

bool Refuse(TJobHost& host, const std::string& message, TMessageStyle style, const std::string& focusField)
{
    host.ShowMessage(message, style);
    if (!focusField.empty()) {
        if (TFormHost* form = host.Form()) {
            form->FocusField(focusField);
        }
    }
    return false;
}

bool FolderExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// One level only: a missing parent makes this fail.
bool MakeOneFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0;
}

}  // namespace

bool CheckListNotEmpty(TJobHost& host, const TSourceList& sources, const std::string& message)
{
    if (!sources.Items.empty()) {
        return true;
    }
    return Refuse(host, message, TMessageStyle::msInformationOk, {});
}

std::optional<std::int32_t> CheckNonZeroField(TJobHost& host, const TNamedField& field, const std::string& message,
                                              bool focusWhenEmpty)
{
    if (TrimField(field.Text).empty()) {
        Refuse(host, message, TMessageStyle::msInformationOk, focusWhenEmpty ? field.Name : std::string());
        return std::nullopt;
    }
    const auto value = ReadIntegerField(host, field);
    if (value && *value == 0) {
        Refuse(host, message, TMessageStyle::msInformationOk, field.Name);
        return std::nullopt;
    }
    return value;
}

const TSaveFolderTexts& NewFileSaveFolderTexts()
{
    static const TSaveFolderTexts texts{kNewFileFolderEmpty, kNewFileFolderMissing, kCannotCreateFolder};
    return texts;
}

const TSaveFolderTexts& ThumbSaveFolderTexts()
{
    static const TSaveFolderTexts texts{
        kThumbFolderEmpty,
        kThumbFolderMissing,
        kCannotCreateFolder,
    };
    return texts;
}

bool CheckSaveFolder(TJobHost& host, const TNamedField& saveField, const TSaveFolderTexts& texts)
{
    if (TrimField(saveField.Text).empty()) {
        return Refuse(host, texts.Empty, TMessageStyle::msQuestionOk, saveField.Name);
    }
    // The existence test and the creation take the text as it stands, untrimmed.
    if (FolderExists(saveField.Text)) {
        return true;
    }
    if (host.Rehearses()) {
        host.ShowMessage(texts.Missing, TMessageStyle::msInformationOk);
        return true;  // every write of the listing fails for it
    }
    if (host.ShowMessage(texts.Missing, TMessageStyle::msQuestionYesNo) != TMessageAnswer::maYes) {
        return false;
    }
    // Another run sharing the folder (a shard on this machine) may make it first.
    if (!MakeOneFolder(saveField.Text) && !FolderExists(saveField.Text)) {
        return Refuse(host, texts.CannotCreate, TMessageStyle::msInformationOk, saveField.Name);
    }
    return true;
}

}  // namespace quillane
