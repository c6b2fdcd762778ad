#pragma once

// The names of the fields that both the engine (to read, fill or focus them) and the
// window (which creates them) know, defined once.
namespace quillane::control {

inline constexpr const char* EdtCutSave = "EdtCutSave";
inline constexpr const char* EdtH = "EdtH";
inline constexpr const char* EdtHOnly = "EdtHOnly";
inline constexpr const char* EdtLeft = "EdtLeft";
inline constexpr const char* EdtMinWidth = "EdtMinWidth";
inline constexpr const char* EdtSavePixel = "EdtSavePixel";
inline constexpr const char* EdtTop = "EdtTop";
inline constexpr const char* EdtW = "EdtW";
inline constexpr const char* EdtWatermark = "EdtWatermark";
inline constexpr const char* EdtWatermarkOpacity = "EdtWatermarkOpacity";
inline constexpr const char* EdtWatermarkSave = "EdtWatermarkSave";
inline constexpr const char* EdtWatermarkX = "EdtWatermarkX";
inline constexpr const char* EdtWatermarkY = "EdtWatermarkY";
inline constexpr const char* EdtWOnly = "EdtWOnly";
inline constexpr const char* EdtWOrHPath = "EdtWOrHPath";
inline constexpr const char* lbEdtHeight = "lbEdtHeight";
inline constexpr const char* lbEdtRHeight = "lbEdtRHeight";
inline constexpr const char* lbEdtRWidth = "lbEdtRWidth";
inline constexpr const char* lbEdtSavePath = "lbEdtSavePath";
inline constexpr const char* lbEdtSavePath2 = "lbEdtSavePath2";
inline constexpr const char* lbEdtWidth = "lbEdtWidth";

}  // namespace quillane::control
