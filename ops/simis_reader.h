// Reading a route's MSTS data files in whatever form they are stored: the
// readers of formats/ read text, compressed and binary files in the
// process. A file they cannot read (damaged, or of a form they do not
// know) is given to the editor tool ffeditc_unicode /u, as the route
// editors' own readers would need it, and the log says which file and why.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/conv_main.h"
#include "formats/simis.h"
#include "route/route.h"

namespace ops {

// Why formats could not read a file, in the language in force.
std::string FaultText(const core::Language& language, formats::Fault fault);

// The MSTS root of a route folder (root\ROUTES\name\).
std::string MstsRootOf(const std::string& route_folder);

// Runs the editor tool in the MSTS root's UTILS\FFEDIT\ on a work copy of
// a file. The copy gets a name of its own there and is always removed; a
// file of the user's in that folder is never touched.
class SimisReader : public route::ShapeReader {
 public:
  SimisReader(core::ConvMain& main, const route::Route& route);

  std::optional<std::vector<std::string>> ImageNames(const std::string& path,
                                                     std::string& why) override;

  // The Unicode text file the editor tool makes of a file that formats
  // cannot read (`fault` says why), logged as read so. Nothing when the
  // tool is missing or cannot read it either; `why` then says all of it.
  std::optional<std::string> ThroughTool(const std::string& path, formats::Fault fault,
                                         std::string& why);
  // The editor tool's path.
  std::string ToolPath() const;

 private:
  std::optional<std::string> Convert(const std::string& path);

  core::ConvMain& main_;
  std::string tool_folder_;
};

}  // namespace ops
