#include "GraphicsFixture.h"

#include <cstdlib>
#include <stdexcept>

#include "imaging/GraphicsLibrary.h"

namespace quillane::test {

void StartGraphicsOnce()
{
    static const bool started = [] {
        if (!GraphicsStartup("quillane-tests"))
            throw std::runtime_error("the image library did not start");
        std::atexit(GraphicsShutdown);
        return true;
    }();
    (void)started;
}

}  // namespace quillane::test
