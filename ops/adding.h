// The adding page: installing one shape, or a list of textures, into the
// current route, and the page's browse buttons and check boxes.
#pragma once

#include "core/conv_main.h"
#include "ops/route_state.h"

namespace ops {

// Copies AddShapeFile into the current route, with a .ref entry when
// AddAddToRef is checked and an .sd file when CrSD is.
void AddShapeToRoute(core::ConvMain& main, RouteState& routes);
// The "Add shape" button.
void AddProcClick(core::ConvMain& main, RouteState& routes);
// The shape file dialog; a picked file goes into AddShapeFile.
void AddShapeBrowseClick(core::ConvMain& main);

// Each check box shows its group of fields exactly while it is checked.
void AddAddToRefClick(core::Fields& fields);
void CrSDClick(core::Fields& fields);
void AddESDBClick(core::Fields& fields);

// Copies every texture of AddTextures into the current route's TEXTURES
// folder.
void AddTexturesToRoute(core::ConvMain& main, RouteState& routes);
// The "Add textures" button.
void AddTexProcClick(core::ConvMain& main, RouteState& routes);
// The texture dialog; the picked files replace AddTextures, each followed
// by ";".
void AddTexBrowseClick(core::ConvMain& main);

}  // namespace ops
