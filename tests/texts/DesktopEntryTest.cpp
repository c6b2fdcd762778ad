// The desktop entry and the metainfo offer Quillane for every picture type it reads.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "imaging/ImageFormat.h"

namespace quillane {
namespace {

std::string SourceFile(const std::string& name)
{
    std::ifstream file(std::string(QUILLANE_SOURCE_DIR) + "/data/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(DesktopEntry, OffersEveryTypeQuillaneReads)
{
    const std::string desktop = SourceFile("org.quillane.Quillane.desktop");
    const std::string metainfo = SourceFile("org.quillane.Quillane.metainfo.xml.in");
    const std::size_t line = desktop.find("\nMimeType=");
    ASSERT_NE(line, std::string::npos);
    const std::size_t start = line + std::string("\nMimeType=").size();
    const std::string mimeTypes = ";" + desktop.substr(start, desktop.find('\n', start) - start);
    for (int value = 0; FormatOfValue(value); ++value) {
        const std::string mime = MimeOfFormat(*FormatOfValue(value));
        EXPECT_NE(mimeTypes.find(";" + mime + ";"), std::string::npos) << mime;
        EXPECT_NE(metainfo.find("<mediatype>" + mime + "</mediatype>"), std::string::npos) << mime;
    }
}

}  // namespace
}  // namespace quillane
