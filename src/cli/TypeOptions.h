#pragma once

#include <CLI/CLI.hpp>

#include <string>

// The checks and help texts of the options that name picture types.
namespace quillane {

// Accepts a name of an entry of the type list (jpg or jpeg, tif or tiff, heic or heif,
// any letter case).
CLI::Validator TypeName();
std::string TypesHelp();

// Accepts a name of a conversion target, spelt the same ways.
CLI::Validator ConvertTargetName();
std::string ToHelp();

}  // namespace quillane
