#pragma once

#include <string>

namespace quillane {

// Starts the image library once, before any window or routine runs. Returns false
// when it cannot start; nothing else in the imaging layer works then.
bool GraphicsStartup(const char* argv0);

// Shuts the library down once, at exit, after every image object was released.
void GraphicsShutdown();

// The library's version, e.g. "8.14.1".
std::string GraphicsLibraryVersion();

// Keeps the library started for the lifetime of the object (main(), tests).
class TGraphicsSession {
public:
    explicit TGraphicsSession(const char* argv0 = "quillane");
    ~TGraphicsSession();
    TGraphicsSession(const TGraphicsSession&) = delete;
    TGraphicsSession& operator=(const TGraphicsSession&) = delete;
    bool Started() const { return started_; }

private:
    bool started_;
};

}  // namespace quillane
