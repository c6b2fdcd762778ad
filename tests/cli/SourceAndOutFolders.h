#pragma once

#include <filesystem>
#include <string>

#include "GraphicsFixture.h"

namespace quillane::test {

// A command-line test's working folder with the two folders a run uses: "src", the
// source folder, and "out", the output folder, both made empty.
class SourceAndOutFolders : public GraphicsTest {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(Src());
        std::filesystem::create_directories(Out());
    }
    std::filesystem::path Src(const std::string& name = "") const { return folder_.Path() / "src" / name; }
    std::filesystem::path Out(const std::string& name = "") const { return folder_.Path() / "out" / name; }
};

}  // namespace quillane::test
