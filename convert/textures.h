// The textures page: TGA and BMP images into ACE textures through makeace.
#pragma once

#include "core/conv_main.h"

namespace convert {

// Converts TexSource into TexOutput with the page's options: makeace runs in
// the source's folder and is given the bare source name. Logs
// "Texture <source>: conversion successful" only when the output file was
// written by the run.
void TexProcClick(core::ConvMain& main);

// The source's Browse button: the picked image becomes TexSource and, with
// its last four characters replaced by ".ace", TexOutput.
void TexBrowseClick(core::ConvMain& main);

// The output's Browse button.
void TexOutClick(core::ConvMain& main);

// The width and height frame follows the bitmap switch.
void TexCabClick(core::ConvMain& main);

// "Convert dir" / "with textures..": every *.tga, then every *.bmp of a
// chosen folder, each into an ACE file beside it.
void BtTex1Click(core::ConvMain& main);

}  // namespace convert
