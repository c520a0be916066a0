// The program's main object, alive in both modes: the settings store, the
// message table, the operation fields, the log, the tool names, and the
// interfaces to the person and the operating system. Every operation works
// on it.
#pragma once

#include <memory>
#include <string>

#include "core/fields.h"
#include "core/language.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/ui.h"
#include "platform/file_system.h"
#include "platform/processes.h"

namespace core {

// File names of the SDK tools. The utilities folder holds the first three;
// the editor tool lies in the MSTS root's UTILS\FFEDIT\ and its users add
// ".exe".
struct ToolNames {
  std::string Conv3dsName = "conv3ds.exe";
  std::string Txt2uniName = "txt2uni.exe";
  std::string MakeaceName = "makeace.exe";
  std::string FfeditcName = "ffeditc_unicode";
};

class ConvMain {
 public:
  // Opens conv.ini in the current folder, builds the message table in the
  // stored language and loads the stored paths and tool names.
  ConvMain(platform::FileSystem& files, platform::Processes& processes, Ui& ui);

  platform::FileSystem& files;
  platform::Processes& processes;
  Ui& ui;
  Settings settings;
  Language language;
  ToolNames tools;
  Fields fields;
  Log log;

  // Keep the tool names in step with the fields and the settings file.
  void ConTexVChange();
  void ConvShVChange();
  // Set a field as its control would: the change handler runs only when the
  // text changes.
  void SetConTexV(const std::string& text);
  void SetConvShV(const std::string& text);
};

// The language number the conv.ini of the current folder holds (Russian
// when it holds none), for what is said before the main object is made.
int StoredLanguage(platform::FileSystem& files);

}  // namespace core
