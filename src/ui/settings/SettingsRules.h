#pragma once

#include "ui/settings/Settings.h"

#include <string>

namespace quillane {

// The stored window size as the window may take it: a width below 10 or wider than
// the screen becomes the screen width; a height below 10 or taller than the screen
// by more than 10 becomes the screen height.
TWindowSize RestoreWindowSize(TWindowSize stored, TWindowSize screen);

// Only a window in its normal state stores its size; otherwise the old size stays.
bool StoresWindowSize(TWindowState state);

// A page index from the file; one outside 0 to 6 shows no page (-1).
int ActivePageFromStored(int stored);

// The fitting mode a stored "Rb" selects; other values leave `current` selected.
TFitMode FitModeFromStored(int stored, TFitMode current);

// The side a stored "RB" selects; any other value selects neither.
TSideChoice SideFromStored(int stored);

// Two-entry boxes: any non-zero value selects entry 1.
int TwoEntryFromStored(int stored);

// The rename radios as a stored flag sets them: selecting one radio clears the other,
// clearing one leaves the other as it was (so both may end up cleared).
void SetRenameNumber(bool checked, TRenameSettings& fields);
void SetRenameRandom(bool checked, TRenameSettings& fields);

// What EdtWatermarkFont shows: "%s [%d]" with the face name and the size in points.
std::string FontCaption(const TFontSettings& font);

TColor ColorFromRgb(int red, int green, int blue);
int RedOf(TColor color);
int GreenOf(TColor color);
int BlueOf(TColor color);
bool IsSystemColor(TColor color);
// The colour to draw with: a system colour code becomes `windowText` (the only
// system colour the file ever holds), any other value keeps its red, green and blue.
TColor ResolveColor(TColor color, TColor windowText);

}  // namespace quillane
