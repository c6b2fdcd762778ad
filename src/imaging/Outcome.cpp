#include "imaging/Outcome.h"

#include <system_error>

namespace quillane {

std::string SystemErrorText(int error) {
    return error == 0 ? std::string() : std::generic_category().message(error);
}

}  // namespace quillane
