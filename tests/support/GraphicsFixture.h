#pragma once

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace quillane::test {

// Starts the image library once for the whole test program (it stays started
// until exit, as in the application).
void StartGraphicsOnce();

// A test with the library started and a fresh temporary folder.
class GraphicsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartGraphicsOnce(); }
    std::filesystem::path File(const std::string& name) const { return folder_ / name; }

    TTempFolder folder_;
};

}  // namespace quillane::test
