#pragma once

#include <exception>

#include <vips/vips8>

namespace quillane {

// Runs one step of a routine and turns a library error or exhausted memory into
// false, so nothing thrown inside the imaging layer ever reaches a caller. The
// library's error buffer is shared by all threads: clear it once the error is handled.
template <class Step>
bool Guarded(Step&& step) noexcept {
    try {
        return step();
    } catch (const vips::VError&) {
        vips_error_clear();
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace quillane
