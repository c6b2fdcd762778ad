#pragma once

#include <functional>

#include "jobs/Language.h"

class QMenu;

namespace quillane {

// "语言 / Language" below `menu`: 中文 and English, the current one ticked. Its texts
// read the same in both languages, so anyone can find the way back.
void AddLanguageMenu(QMenu* menu, TLanguage current, const std::function<void(TLanguage)>& chosen);

}  // namespace quillane
