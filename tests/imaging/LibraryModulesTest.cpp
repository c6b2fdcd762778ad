// The library starts with the modules of the formats read and written here, and no
// others, and is left as it would leave itself.
#include <gtest/gtest.h>
#include <libintl.h>

#include <cstdlib>
#include <string>

#include <vips/vips.h>

#include "GraphicsFixture.h"

namespace quillane {
namespace {

class LibraryModules : public test::GraphicsTest {};

TEST_F(LibraryModules, OnlyTheLoadersOfOurFormatsAreThere)
{
    for (const char* loader : {"heifload", "jxlload", "magickload"})
        EXPECT_NE(vips_type_find("VipsOperation", loader), 0u) << loader;
    for (const char* loader : {"pdfload", "openslideload"})
        EXPECT_EQ(vips_type_find("VipsOperation", loader), 0u) << loader;
}

TEST_F(LibraryModules, ThePrefixAndTheMessagesFolderAreTheLibrarysOwn)
{
    const char* prefix = std::getenv("VIPSHOME");
    ASSERT_NE(prefix, nullptr);
    EXPECT_NE(std::string(prefix), "/dev/null");
    const std::string domain = "vips" + std::to_string(vips_version(0)) + "." + std::to_string(vips_version(1));
    EXPECT_EQ(std::string(bindtextdomain(domain.c_str(), nullptr)), std::string(prefix) + "/share/locale");
}

}  // namespace
}  // namespace quillane
