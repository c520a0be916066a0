// The textures page: TGA and BMP images into ACE textures through makeace.
#pragma once

#include <string>

#include "convert/announce.h"
#include "core/conv_main.h"

namespace convert {

// The path up to and including its last "." followed by "ace"; a path
// without "." gives "ace" alone.
std::string AceNameFor(const std::string& path);

// Converts TexSource into TexOutput with the page's options: makeace runs in
// the source's folder and is given the bare source name. Logs
// "Texture <source>: conversion successful" only when the output file was
// written by the run.
void ConvertTexture(core::ConvMain& main);
// The page's Run button.
void TexProcClick(core::ConvMain& main);

// Every *.tga, then every *.bmp of the folder (given with its trailing
// backslash), each into an ACE file beside it, with the page's options. A
// name Windows cannot hold is skipped with a log line.
void ConvertTextureFolder(core::ConvMain& main, const std::string& folder,
                          const Announce& announce = {});

// The source's Browse button: the picked image becomes TexSource and, with
// its last four characters replaced by ".ace", TexOutput.
void TexBrowseClick(core::ConvMain& main);

// The output's Browse button.
void TexOutClick(core::ConvMain& main);

// The width and height frame follows the bitmap switch.
void TexCabClick(core::ConvMain& main);

// "Convert dir" / "with textures..": converts a chosen folder.
void BtTex1Click(core::ConvMain& main);

}  // namespace convert
