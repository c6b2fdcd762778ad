// The name rules on arbitrary texts: the affix rule, the mirrored output folder and
// the type test. Each keeps the properties the jobs rely on.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "jobs/FolderWalk.h"
#include "jobs/OutputRule.h"
#include "jobs/TypeFilter.h"

namespace {

// Names the broken property before stopping, so a finding explains itself.
void Check(bool condition, int line = __builtin_LINE())
{
    if (condition)
        return;
    std::fprintf(stderr, "property at %s:%d does not hold\n", __FILE__, line);
    std::abort();
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void AffixRule(const std::string& path, const std::string& affix, bool prefix)
{
    const quillane::TOutputRule rule{"/out/", affix, prefix ? quillane::apPrefix : quillane::apSuffix};
    const std::string result = quillane::ApplyAffix(path, rule).string();
    // Nothing but the (trimmed) affix is added, nothing is taken away.
    Check(result.size() >= path.size() && result.size() <= path.size() + affix.size());
    Check(!affix.empty() || result == path);
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (!prefix && dot != std::string::npos)
        Check(EndsWith(result, path.substr(dot)));  // the extension stays
    if (prefix && slash != std::string::npos)
        Check(EndsWith(result, path.substr(slash + 1)));  // so does the name
}

void Mirror(const std::string& folder, const std::string& sourceRoot, const std::string& targetRoot)
{
    const std::string mirrored = quillane::MirrorFolder(folder, sourceRoot, targetRoot);
    // Either unchanged, or one occurrence of the root replaced.
    Check(mirrored == folder || mirrored.size() + sourceRoot.size() == folder.size() + targetRoot.size());
    if (folder.rfind(sourceRoot, 0) == 0 && !sourceRoot.empty())
        Check(mirrored == targetRoot + folder.substr(sourceRoot.size()));
}

void TypeTest(const std::string& name)
{
    const auto& captions = quillane::TypeCaptions();
    const bool matches = quillane::MatchesCheckedType(name, captions);
    Check(!quillane::MatchesCheckedType(name, {}));  // nothing ticked: nothing passes
    // An upper-case copy of the name is tested the same way.
    std::string upper = name;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    Check(quillane::MatchesCheckedType(upper, captions) == matches);
    (void)quillane::IsTiffPath(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool prefix = input.ConsumeBool();
    const std::string path = input.ConsumeRandomLengthString(300);
    const std::string affix = input.ConsumeRandomLengthString(40);
    const std::string root = input.ConsumeRandomLengthString(100);
    const std::string target = input.ConsumeRandomLengthString(100);
    AffixRule(path, affix, prefix);
    Mirror(path, root, target);
    TypeTest(path);
    return 0;
}
