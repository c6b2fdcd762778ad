#include "jobs/OutputRule.h"

#include "jobs/FieldText.h"

namespace quillane {

TAffixPosition AffixPositionFromIndex(int comboIndex)
{
    return comboIndex == 1 ? apPrefix : apSuffix;
}

TOutputRule MakeOutputRule(const std::string& saveFolder, const std::string& affix, int comboIndex)
{
    return TOutputRule{WithTrailingSlash(saveFolder), TrimField(affix), AffixPositionFromIndex(comboIndex)};
}

std::string WithTrailingSlash(std::string text)
{
    if (text.empty() || text.back() != '/') {
        text += '/';
    }
    return text;
}

std::filesystem::path ApplyAffix(const std::filesystem::path& path, const TOutputRule& rule)
{
    const std::string affix = TrimField(rule.Affix);
    std::string text = path.string();
    if (affix.empty()) {
        return path;
    }
    if (rule.AffixPosition == apSuffix) {
        // Only a dot of the file name itself: a name without one must not move the
        // result into another folder (/out.d/JPEG is not /out_s.d/JPEG).
        const auto dot = text.rfind('.');
        const auto slash = text.rfind('/');
        if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
            text.insert(dot, affix);
        }
    } else {
        const auto slash = text.rfind('/');
        if (slash != std::string::npos) {
            text.insert(slash + 1, affix);
        }
    }
    return text;
}

}  // namespace quillane
