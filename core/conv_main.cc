#include "core/conv_main.h"

namespace core {

ConvMain::ConvMain(platform::FileSystem& files, platform::Processes& processes, Ui& ui)
    : files(files),
      processes(processes),
      ui(ui),
      settings(files, files.CurrentFolder() + "\\conv.ini"),
      language(settings.ReadInteger("INF", "LANGUAGE", kRussian)) {
  fields.PathUtils = settings.ReadString("PATHS", "UTILS", "");
  fields.MSTSRoot = settings.ReadString("PATHS", "ROOT", "");
  fields.ShapeDir = settings.ReadString("PATHS", "LASTDIR", "");
  SetConTexV(settings.ReadString("PATHS", "MAKEACE", "makeace.exe"));
  SetConvShV(settings.ReadString("PATHS", "CONV3DS", "conv3ds.exe"));
}

void ConvMain::ConTexVChange() {
  tools.MakeaceName = fields.ConTexV;
  settings.WriteString("PATHS", "MAKEACE", fields.ConTexV);
}

void ConvMain::ConvShVChange() {
  tools.Conv3dsName = fields.ConvShV;
  settings.WriteString("PATHS", "CONV3DS", fields.ConvShV);
}

void ConvMain::SetConTexV(const std::string& text) {
  if (text == fields.ConTexV) return;
  fields.ConTexV = text;
  ConTexVChange();
}

void ConvMain::SetConvShV(const std::string& text) {
  if (text == fields.ConvShV) return;
  fields.ConvShV = text;
  ConvShVChange();
}

int StoredLanguage(platform::FileSystem& files) {
  return Settings(files, files.CurrentFolder() + "\\conv.ini").ReadInteger("INF", "LANGUAGE", kRussian);
}

}  // namespace core
