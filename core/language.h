// The bilingual message and caption table. Texts are used as they stand:
// leading and trailing blanks are part of them, and "%s" marks where a
// value goes.
#pragma once

#include <array>
#include <string>

namespace core {

// The keys, in table order: the texts, then the constants shared by both
// languages, then the texts added since.
enum class Msg : int {
  UnableToFind,
  CopyFailed,
  OverwriteShape,
  TextureExists,
  SelectTextureSource,
  SelectOutputFile,
  ConversionDone,
  NeedOne3ds,
  ShapeWord,
  TextureWord,
  ConvertedToUnicode,
  SelectMstsRoot,
  BadMstsRoot,
  ShapeFileMissing,
  SelectRoute,
  SelectClass,
  TextureListEmpty,
  ShapeAdded,
  AddError,
  TexturesAdded,
  TextureErrors,
  TextureNotFound,
  DuplicatesDeleted,
  DeleteFilesQuestion,
  SearchIn,
  TextureDeleted,
  ShapeDeleted,
  NonexistentDeleted,
  ShapeAddedToRef,
  SelectConvertDir,
  CapBrowse,
  CapSourceFile,
  CapOutputFile,
  CapFilename,
  CapConvertUnicode,
  CapConvertBinary,
  CapPaths,
  CapConverterPath,
  CapMstsRoot,
  CapShapeFile,
  CapTextureFile,
  CapAdding,
  CapRoute,
  CapClassName,
  CapDescription,
  CapAddShape,
  CapAddTextures,
  CapAddToRef,
  CapCreateSd,
  CapSource3ds,
  CapZlib,
  CapDxt,
  CapNoCompression,
  CapRun,
  CapSourceDir,
  Select3dsDir,
  CapBitmap,
  CapShadow,
  CapAlign,
  CapMipmapping,
  CapCheckTextures,
  HintCheckTextures,
  CapTextureReplace,
  HintBitmap,
  HintShapeDir,
  CapTextureConverter,
  CapShapeConverter,
  CapClearing,
  CapDeleteDuplicates,
  CapDeleteSelected,
  CapDeleteUnused,
  CapObjectsToDelete,
  CapPleaseWait,
  CapSelectAll,
  CapDeselectAll,
  DeleteUsedTextures,
  DeleteShapeFiles,
  CapDeleteNotInRef,
  CapDeleteNonexistent,
  CapShow,
  CapProperties,
  CapShapesTextures,
  CapStandardRoutes,
  CapRoutesToCompare,
  CapAdd,
  CapDelete,
  CapProperty,
  CapValue,
  CapTransparency,
  CapTextures,
  CapAddingPage,
  CapShapes,
  CapSettings,
  CapTextureConversion,
  CapAddingToRoute,
  CapShapesConversion,
  CapWidth,
  CapHeight,
  CapChangeOn,
  CapExit,
  CapConvertDir,
  CapWithShapes,
  CapWithTextures,
  CapCheckTexturesCmp,
  CapCheckShapes,
  CapCreateBat,
  CapListCommon,
  CapListUnique,
  // Constants, the same in both languages.
  KeyFileName,
  KeyDescription,
  KeyClass,
  ImageLinePrefix,
  TexturesFolder,
  ShapesFolder,
  BackupFolder,
  SeasonFolders,
  ProgramName,
  // Texts added after the constants, so that every key above keeps its
  // number.
  ToolNotStarted,
  TextureNoOutput,
  ShapeNoOutput,
  UnicodeFailed,
  BinaryFailed,
  ShapeFileNotFound,
  FileCompressed,
  FileBinary,
  RouteUnreadable,
  BadRouteName,
  BadMipMapBias,
  NotAWindowsName,
  RouteNotFound,
  NotRouteFile,
  RouteFileCutShort,
  LineBreakInProperty,
  NotRegularFile,
  LeadsOutOfRoute,
  // Names of controls without a caption of their own, for assistive tools.
  CapEntryList,
  CapComparisonResult,
  CapLog,
  TextureMissing,
  ShapeMissing,
  NotMoved,
  OutsideRoute,
  KeptAs,
  TexturesUnreadable,
  FileUnreadable,
  NoWorldFiles,
  HintPropertyName,
  FilesMovedTo,
  BadBlockType,
  BadPropertyName,
  FolderUnreadable,
  RefNotReplaceable,
  LinkStays,
  WorldCutShort,
  WorldNotWindowsName,
  FileTooLarge,
  ReplaceFileQuestion,
  InComparedRoute,
  CapRestore,
  HintRestore,
  CapJobsToRestore,
  RestoreJob,
  JobCounts,
  JobCutShort,
  NothingToRestore,
  BackupsNotRecorded,
  JournalUnreadable,
  JournalNotWritable,
  JournalLinesUnread,
  PlaceTaken,
  NotInBackup,
  NotPutBack,
  PutBack,
  TakenOutAgain,
  EntryGone,
  EntryNotWhole,
  Restored,
  Count,
};

constexpr int kMessageCount = static_cast<int>(Msg::Count);

enum LanguageNumber : int { kRussian = 0, kEnglish = 1 };

class Language {
 public:
  // Texts for the number (0 Russian, 1 English; any other number leaves
  // every text empty), then the constants.
  explicit Language(int number);

  // Switches the texts to a language. Any number but 0 and 1 changes nothing.
  void SetTexts(int number);
  // The number of the language in force: the last one set, or the one made
  // with, which may be neither 0 nor 1.
  int number() const { return number_; }

  const std::string& operator[](Msg key) const {
    return texts_[static_cast<int>(key)];
  }
  // The text with its first "%s" replaced by the value.
  std::string Format(Msg key, const std::string& value) const;
  // The text with its first two "%s" replaced by the values, in order.
  std::string Format(Msg key, const std::string& first, const std::string& second) const;

 private:
  std::array<std::string, kMessageCount> texts_;
  int number_;
};

}  // namespace core
