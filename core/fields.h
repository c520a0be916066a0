// The operation fields: every value an operation reads, as the main window's
// controls show them. The window binds its controls to them, the console
// writes them from command options, and they keep their values between
// operations.
#pragma once

#include <string>
#include <vector>

namespace core {

// The exclusive choice TexNo / TexCompress / TexCmpDXT. Selecting one
// deselects the others; deselecting the selected one leaves none selected,
// which only the console can bring about.
enum class Compression { kNone, kNo, kZlib, kDxt };

// The exclusive choice of the comparison's output: a batch file of copy
// commands, the list of common files, the list of the route's own files.
enum class ComparisonOutput { kBatch, kCommon, kUnique };

struct Fields {
  // Textures page.
  std::string TexSource;
  std::string TexOutput;
  bool TexTrans = false;
  bool TexCab = false;
  std::string TexWidth = "0";
  std::string TexHeight = "0";
  Compression TexCompression = Compression::kZlib;
  // The frame holding TexWidth and TexHeight follows TexCab.
  bool GroupBox3Enabled = false;

  void SelectCompression(Compression button, bool selected) {
    if (selected) {
      TexCompression = button;
    } else if (TexCompression == button) {
      TexCompression = Compression::kNone;
    }
  }

  // Shapes page.
  std::string ShapeDir;
  std::string ShInput;
  std::string ShOutput;
  bool ShUnicode = true;
  bool ShCompress = false;
  bool ShMipMap = false;
  std::string ShMipMapV = "0";
  bool ShCheckTex = false;
  // ShCompress follows ShUnicode, ShMipMapV follows ShMipMap.
  bool ShCompressEnabled = true;
  bool ShMipMapVVisible = false;
  // Where the 3DS open dialog starts: the folder last chosen with the
  // source folder's Browse button; empty for the platform's default.
  std::string dsOpenInitialDir;

  // Settings page.
  std::string MSTSRoot;
  std::string PathUtils;
  std::string ConTexV = "makeace.exe";
  std::string ConvShV = "conv3ds.exe";

  // Adding page. Hiding a group does not clear its fields: the operations
  // read them whether they are shown or not.
  std::string AddShapeFile;
  std::string AddTextures;  // paths, each followed by ";"
  bool AddAddToRef = false;
  std::string AddClass;
  std::string AddDescription;
  std::string AddShadow = "NONE";  // DYNAMIC, NONE, RECT, ROUND or TREELINE
  std::string AddAlign = "NONE";   // kept hidden, so always NONE
  bool CrSD = false;
  std::string ESDDL = "0";
  std::string ESDAT = "0";
  bool AddESDB = false;
  std::string ESDBB = "0 0 0 0 0 0 ";
  bool GroupBox5Visible = false;  // the entry fields, while AddAddToRef is checked
  bool GroupBox6Visible = false;  // the .sd fields, while CrSD is checked
  bool ESDBBVisible = false;      // while AddESDB is checked

  // Clearing page: the property names the entry list shows.
  std::string ClProps = "description filename";

  // Comparison page. The route is chosen in the route state's CrRoute box.
  bool CrSh = true;
  bool CrTex = false;
  bool CrEur1 = true;
  bool CrEur2 = false;
  bool CrUS1 = true;
  bool CrUS2 = false;
  bool CrJP1 = false;
  bool CrJP2 = false;
  ComparisonOutput CrOutput = ComparisonOutput::kBatch;  // CrOptBat, CrOptList, CrOptUn
  std::vector<std::string> CrOut;  // the lines of the output box
};

}  // namespace core
