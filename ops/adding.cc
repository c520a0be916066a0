#include "ops/adding.h"

#include "route/shape.h"

namespace ops {

void AddShapeToRoute(core::ConvMain& main, RouteState& routes) {
  const core::Fields& fields = main.fields;
  const core::Language& texts = main.language;
  if (!main.files.FileExists(fields.AddShapeFile)) {
    main.ui.Message("Warning", texts[core::Msg::ShapeFileMissing]);
    return;
  }
  if (!routes.CurrentRoute) {
    main.ui.Message("Warning", texts[core::Msg::SelectRoute]);
    return;
  }
  // Without an entry to write, the class plays no part.
  if (fields.AddClass.empty() && fields.AddAddToRef) {
    main.ui.Message("Warning", texts[core::Msg::SelectClass]);
    return;
  }
  route::Shape entry;
  entry.AddProp("Class", fields.AddClass);
  entry.AddProp("Description", fields.AddDescription);
  entry.AddProp("Filename", fields.AddShapeFile);
  entry.AddProp("Shadow", fields.AddShadow);
  entry.AddProp("Align", fields.AddAlign);
  route::Shape sd_props;
  sd_props.AddProp("ESD_Alternative_Texture", fields.ESDAT);
  sd_props.AddProp("ESD_Detail_Level", fields.ESDDL);
  if (fields.AddESDB) sd_props.AddProp("ESD_Bounding_Box", fields.ESDBB);
  if (routes.CurrentRoute->AddShape(entry, sd_props, fields.AddAddToRef, fields.CrSD, false)) {
    main.log.Add(fields.AddShapeFile + texts[core::Msg::ShapeAdded]);
  } else {
    main.ui.Message("Error", texts[core::Msg::AddError]);
  }
}

void AddProcClick(core::ConvMain& main, RouteState& routes) { AddShapeToRoute(main, routes); }

void AddShapeBrowseClick(core::ConvMain& main) {
  core::FileDialog dialog;
  dialog.filter = "Shape File(*.s)|*.s";
  std::vector<std::string> picked = main.ui.OpenFiles(dialog);
  if (!picked.empty()) main.fields.AddShapeFile = picked.front();
}

void AddAddToRefClick(core::Fields& fields) { fields.GroupBox5Visible = fields.AddAddToRef; }

void CrSDClick(core::Fields& fields) { fields.GroupBox6Visible = fields.CrSD; }

void AddESDBClick(core::Fields& fields) { fields.ESDBBVisible = fields.AddESDB; }

void AddTexturesToRoute(core::ConvMain& main, RouteState& routes) {
  const core::Language& texts = main.language;
  if (!routes.CurrentRoute) {
    main.ui.Message("Warning", texts[core::Msg::SelectRoute]);
    return;
  }
  if (main.fields.AddTextures.empty()) {
    main.ui.Message("Warning", texts[core::Msg::TextureListEmpty]);
    return;
  }
  if (routes.CurrentRoute->CopyTextures(main.fields.AddTextures)) {
    main.log.Add(texts[core::Msg::TexturesAdded]);
  } else {
    main.log.AddFailure(texts[core::Msg::TextureErrors]);
  }
}

void AddTexProcClick(core::ConvMain& main, RouteState& routes) {
  AddTexturesToRoute(main, routes);
}

void AddTexBrowseClick(core::ConvMain& main) {
  core::FileDialog dialog;
  dialog.filter = "ACE File|*.ace";
  dialog.multiple = true;
  std::vector<std::string> picked = main.ui.OpenFiles(dialog);
  if (picked.empty()) return;
  std::string list;
  for (const std::string& path : picked) list += path + ";";
  main.fields.AddTextures = list;
}

}  // namespace ops
