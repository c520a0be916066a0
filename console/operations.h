// The operations the console drives, the same the window's controls call.
// They read their inputs from the operation fields, which the console fills
// from the command's options.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace console {

struct BatchAddRequest {
  std::string route;
  std::string folder;
  std::string class_name;
  bool sub = false;
  bool over = false;
  bool texs = false;
};

// Called with what a folder conversion is about to convert: an image's
// path, or a group's model names.
using Announce = std::function<void(const std::string& text)>;

class Operations {
 public:
  virtual ~Operations() = default;
  virtual void TexProcClick() = 0;
  virtual void TexCabClick() = 0;
  // Every *.tga, then every *.bmp of the folder, given with its trailing
  // backslash.
  virtual void ConvertTextureFolder(const std::string& folder, const Announce& announce) = 0;
  virtual void ShProcClick() = 0;
  virtual void ShUnicodeClick() = 0;
  virtual void ShMipMapClick() = 0;
  // One shape per stem of the folder's models.
  virtual void ShConvertDir(const std::string& folder, const Announce& announce) = 0;
  // aceinfo and acetopng of one texture.
  virtual void AceInfo(const std::string& path) = 0;
  virtual void AceToPng(const std::string& path) = 0;
  // How many shapes (and with texs textures) the folders held.
  virtual int BatchAdd(const BatchAddRequest& request) = 0;

  // The clearing page's buttons and the comparison's "Create", each on the
  // route it names, which it chooses and reads for itself. The rows of
  // ClProps the route's entry list shows, and the names of ClProps that no
  // entry has (in any letter case), as a misspelt name would be.
  struct EntryRows {
    std::vector<std::string> rows;
    std::vector<std::string> unknown;
  };
  virtual EntryRows ClPropPrClick(const std::string& route) = 0;
  virtual void ClDuplicatesClick(const std::string& route) = 0;
  virtual void ClDelUnexClick(const std::string& route) = 0;
  // "Delete selected" with these entry numbers (from 1) selected. Returns
  // the numbers that name no entry; while there are any, nothing is done.
  virtual std::vector<int> ClDeleteClick(const std::string& route,
                                         const std::vector<int>& numbers) = 0;
  virtual void ClUnusedClick(const std::string& route) = 0;
  virtual void ClDelUnnamedClick(const std::string& route) = 0;
  // The route check, its report in the log; saved to `save_file` when given.
  virtual void CheckRoute(const std::string& route,
                          const std::optional<std::string>& save_file) = 0;
  virtual void ClRestoreClick(const std::string& route) = 0;
  // Fills CrOut; the batch file goes to `batch_file`, or without one where
  // the save question says.
  virtual void CrProcClick(const std::string& route,
                           const std::optional<std::string>& batch_file) = 0;

  // Why the window cannot be opened here; empty when it can.
  virtual std::string NoWindow() const = 0;
};

}  // namespace console
