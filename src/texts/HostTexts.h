#pragma once

#include <QTranslator>

#include <string>

#include "imaging/Outcome.h"
#include "jobs/EngineTexts.h"
#include "jobs/Language.h"

// The engine's texts in the language a host shows. Chinese shows them as the engine
// wrote them, byte for byte; English translates each by its id through the catalogue.
namespace quillane {

class THostTexts {
public:
    explicit THostTexts(TLanguage language);

    TLanguage Language() const { return language_; }
    // False when English was asked for but its catalogue could not be read.
    bool Loaded() const { return loaded_; }

    // A message, a question or a closing message; a text with a folder after it
    // ("不能新建目录:/x") keeps the folder, one with two counts its counts.
    std::string Message(const std::string& text) const;
    // A result line: the full source path followed by the outcome text.
    std::string ResultLine(const std::string& line) const;
    // The stopped-run line, the undo summary: a text with two counts.
    std::string StopLine(const std::string& line) const;
    // A failure reason with the library's detail in brackets, as FailureText gives it.
    std::string Failure(const TFailure& failure) const;
    // One text of the engine's table by its id; the Chinese where no translation exists.
    std::string Translated(const std::string& id, const std::string& chinese) const;
    // Translated as the lookup the engine takes for a text it composes of several of its
    // texts (the undo caption); valid while this object lives.
    TTextLookup Lookup() const;

private:
    TLanguage language_;
    QTranslator catalogue_;
    bool loaded_ = true;
};

// The folder the installed catalogues are in (share/quillane/translations beside the
// program's bin folder), else the build's.
std::string TranslationsFolder();

}  // namespace quillane
