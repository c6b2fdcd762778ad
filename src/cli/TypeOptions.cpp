#include "cli/TypeOptions.h"

#include "jobs/TypeNames.h"

namespace quillane {

namespace {

std::string Joined(const std::vector<std::string>& names, const char* separator)
{
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : separator) + name;
    return joined;
}

CLI::Validator NameCheck(std::optional<int> (*lookUp)(std::string_view), const std::vector<std::string>& names)
{
    return CLI::Validator(
        [lookUp, names](std::string& text) -> std::string {
            return lookUp(text) ? std::string() : "'" + text + "' is none of " + Joined(names, ", ");
        },
        "TYPE");
}

}  // namespace

CLI::Validator TypeName()
{
    return NameCheck(TypeIndexNamed, TypeNames());
}

std::string TypesHelp()
{
    return "ticked type entries: " + Joined(TypeNames(), ",") + " (default: all; jpg, tif and heif too)";
}

CLI::Validator ConvertTargetName()
{
    return NameCheck(ConvertTargetNamed, ConvertTargetNames());
}

std::string ToHelp()
{
    return "the new file type: " + Joined(ConvertTargetNames(), ", ") + " (jpeg, tiff and heif too)";
}

}  // namespace quillane
