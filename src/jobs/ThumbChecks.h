#pragma once

#include <cstdint>
#include <optional>

#include "jobs/FieldText.h"
#include "jobs/JobHost.h"

namespace quillane {

struct TThumbSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// The checks the percentage and exact-size pages share, in their order: the list holds
// items, the width, then the height are whole numbers other than 0, and the save folder
// is given and exists (created after Yes). Nothing when the click stops at one of them.
std::optional<TThumbSize> CheckThumbSizeAndFolder(TJobHost& host, const TSourceList& sources, const TNamedField& width,
                                                  const TNamedField& height, const TNamedField& saveFolder);

}  // namespace quillane
