#include "core/language.h"

namespace core {
namespace {

struct Texts {
  Msg key;
  const char* english;
  const char* russian;
};

constexpr Texts kTexts[] = {
    {Msg::UnableToFind, "Unable to find %s",
     "Невозможно найти %s"},
    {Msg::CopyFailed, "Failed to copy file ",
     "Ошибка при копировании файла "},
    {Msg::OverwriteShape, "Overwrite existing shape file?",
     "Перезаписать существующий шейп-файл?"},
    {Msg::TextureExists, ": texture file already exists. Overwrite?",
     ": файл текстуры уже существует. Перезаписать?"},
    {Msg::SelectTextureSource, "Select texture source file",
     "Выберите исходный файл текстуры"},
    {Msg::SelectOutputFile, "Select output file",
     "Введите имя конечного файла"},
    {Msg::ConversionDone, ": conversion successful",
     ": конвертация успешна"},
    {Msg::NeedOne3ds, "You have to specify at least one 3ds-file",
     "Необходимо выбрать хотя бы один *.3ds файл"},
    {Msg::ShapeWord, "Shape ",
     "Шейп "},
    {Msg::TextureWord, "Texture ",
     "Текстура "},
    {Msg::ConvertedToUnicode, " converted to Unicode",
     " конвертирован в Юникод"},
    {Msg::SelectMstsRoot, "Select MSTS root dir",
     "Выберите директорию MSTS"},
    {Msg::BadMstsRoot, "Bad MSTS directory",
     "Неверная директория MSTS"},
    {Msg::ShapeFileMissing, "Shape file not exists or not specified",
     "Шейп-файл не существует или не выбран"},
    {Msg::SelectRoute, "Select route",
     "Выберите маршрут"},
    {Msg::SelectClass, "Select class name",
     "Выберите имя класса"},
    {Msg::TextureListEmpty, "Texture list empty",
     "Список текстур пуст"},
    {Msg::ShapeAdded, ": shape succesfully added",
     ": шейп успешно добавлен"},
    {Msg::AddError, " error while adding file",
     " ошибка при добавлении файла"},
    {Msg::TexturesAdded, "All textures added",
     "Все текстуры добавлены успешно"},
    {Msg::TextureErrors, "There were errors during adding textures",
     "При добавлении текстур произошли ошибки"},
    {Msg::TextureNotFound, ": texture not found. Replace?",
     ": текстура не найдена в исходной директории. Заменить?"},
    {Msg::DuplicatesDeleted, "Deleted %s duplicated entries",
     "Удалено %s повторяющихся записей"},
    {Msg::DeleteFilesQuestion, "Delete files?",
     "Удалить файлы?"},
    {Msg::SearchIn, "Search in ",
     "Поиск в "},
    {Msg::TextureDeleted, ": texture deleted",
     ": текстура удалена"},
    {Msg::ShapeDeleted, ": shape deleted",
     ": объект удалён"},
    {Msg::NonexistentDeleted, "Deleted %s unexisting file entries",
     "Удалено %s записей о несуществующих файлах"},
    {Msg::ShapeAddedToRef, ": shape added to ref",
     ": шейп добавлен в ref-файл"},
    {Msg::SelectConvertDir, "Select convert directory",
     "Выберите директорию для конвертации"},
    {Msg::CapBrowse, "Browse...",
     "Обзор..."},
    {Msg::CapSourceFile, "Source file",
     "Исходный файл"},
    {Msg::CapOutputFile, "Output file",
     "Конечный файл"},
    {Msg::CapFilename, "Filename",
     "Имя файла"},
    {Msg::CapConvertUnicode, "Convert to Unicode",
     "Конвертировать в Юникод"},
    {Msg::CapConvertBinary, "Convert to binary",
     "Конвертировать в двоичный формат"},
    {Msg::CapPaths, "Paths",
     "Директории"},
    {Msg::CapConverterPath, "Path to MSTS converters",
     "Путь к конвертерам MSTS"},
    {Msg::CapMstsRoot, "MSTS root dir",
     "Директория MSTS"},
    {Msg::CapShapeFile, "Shape file",
     "Файл объекта"},
    {Msg::CapTextureFile, "Texture file",
     "Файлы текстур"},
    {Msg::CapAdding, "Adding",
     "Добавление"},
    {Msg::CapRoute, "Route",
     "Маршрут"},
    {Msg::CapClassName, "Class name",
     "Имя класса"},
    {Msg::CapDescription, "Description",
     "Описание"},
    {Msg::CapAddShape, "Add shape",
     "Добавить объект"},
    {Msg::CapAddTextures, "Add textures",
     "Добавить текстуры"},
    {Msg::CapAddToRef, "Add to ref",
     "Добавить в ref-файл"},
    {Msg::CapCreateSd, "Create sd-file",
     "Создать sd-файл"},
    {Msg::CapSource3ds, "Source 3ds-files",
     "Исходные 3ds-файлы"},
    {Msg::CapZlib, "zlib compression",
     "Сжатие zlib"},
    {Msg::CapDxt, "dxt compression",
     "Сжатие dxt"},
    {Msg::CapNoCompression, "No compression",
     "Без сжатия"},
    {Msg::CapRun, "Run",
     "Выполнить"},
    {Msg::CapSourceDir, "Source directory",
     "Исходная директория"},
    {Msg::Select3dsDir, "Select directory, containing *.3ds-files",
     "Выберите директорию, содержащую *.3ds-файлы"},
    {Msg::CapBitmap, "Bitmap",
     "Битмап"},
    {Msg::CapShadow, "Shadow",
     "Тень"},
    {Msg::CapAlign, "Align",
     "Выравнивание"},
    {Msg::CapMipmapping, "Mipmapping",
     "Мипмаппинг"},
    {Msg::CapCheckTextures, "Check textures",
     "Проверить текстуры"},
    {Msg::HintCheckTextures, "Check if texture file(s) exist(s) in the source and output dir",
     "Проверить наличие текстур в исходной и конечной директории"},
    {Msg::CapTextureReplace, "Texture replace ",
     "Замена текстуры "},
    {Msg::HintBitmap, "Bitmap or texture larger than 512*512",
     "Битмап или текстура размером более 512*512"},
    {Msg::HintShapeDir, "Directory, containing source 3ds-files(and textures for checking)",
     "Директория, в которой содержаться исходные 3ds файлы(и текстуры для проверки)"},
    {Msg::CapTextureConverter, "Texture converter",
     "Конвертер текстур"},
    {Msg::CapShapeConverter, "Shape converter",
     "Конвертер объектов"},
    {Msg::CapClearing, "Clearing",
     "Очистка"},
    {Msg::CapDeleteDuplicates, "Delete duplicates",
     "Удалить повторяющиеся"},
    {Msg::CapDeleteSelected, "Delete selected",
     "Удалить выделенные"},
    {Msg::CapDeleteUnused, "Delete unused",
     "Удалить неиспользуемые"},
    {Msg::CapObjectsToDelete, "Objects to delete",
     "Объекты для удаления"},
    {Msg::CapPleaseWait, "Please,wait...",
     "Пожалуйста, подождите..."},
    {Msg::CapSelectAll, "Select all",
     "Выделить все"},
    {Msg::CapDeselectAll, "Deselect all",
     "Сбросить выделение"},
    {Msg::DeleteUsedTextures, "Delete textures, used in shapes?",
     "Удалить текстуры, использованные в объектах?"},
    {Msg::DeleteShapeFiles, "Delete shape files?",
     "Удалить файлы объектов?"},
    {Msg::CapDeleteNotInRef, "Delete objects not in ref",
     "Удалить объекты вне списка"},
    {Msg::CapDeleteNonexistent, "Delete non-existent",
     "Удалить несуществующие"},
    {Msg::CapShow, "Show",
     "Показать"},
    {Msg::CapProperties, "Properties: ",
     "Свойства: "},
    {Msg::CapShapesTextures, "Shapes/Textures",
     "Объекты/текстуры"},
    {Msg::CapStandardRoutes, "Shapes/Textures from the standard routes",
     "Объекты/текстуры из стандартных маршрутов"},
    {Msg::CapRoutesToCompare, "Routes for comparision",
     "Маршруты для сравнения"},
    {Msg::CapAdd, "Add",
     "Добавить"},
    {Msg::CapDelete, "Delete",
     "Удалить"},
    {Msg::CapProperty, "Property",
     "Свойство"},
    {Msg::CapValue, "Value",
     "Значение"},
    {Msg::CapTransparency, "Transparency",
     "Прозрачность"},
    {Msg::CapTextures, "Textures",
     "Текстуры"},
    {Msg::CapAddingPage, "Adding",
     "Добавление"},
    {Msg::CapShapes, "Shapes",
     "Объекты"},
    {Msg::CapSettings, "Settings",
     "Установки"},
    {Msg::CapTextureConversion, "Texture conversion",
     "Конвертирование текстур"},
    {Msg::CapAddingToRoute, "Adding to route",
     "Добавление в маршрут"},
    {Msg::CapShapesConversion, "Shapes conversion",
     "Конвертирование объектов"},
    {Msg::CapWidth, "Width",
     "Ширина"},
    {Msg::CapHeight, "Height",
     "Высота"},
    {Msg::CapChangeOn, "Change on",
     "Заменить на"},
    {Msg::CapExit, "Exit",
     "Выход"},
    {Msg::CapConvertDir, "Convert dir",
     "Конвертация директории"},
    {Msg::CapWithShapes, "with shapes..",
     "Объекты.."},
    {Msg::CapWithTextures, "with textures..",
     "Текстуры.."},
    {Msg::CapCheckTexturesCmp, "Check textures",
     "Проверить текстуры"},
    {Msg::CapCheckShapes, "Check shapes",
     "Проверить объекты"},
    {Msg::CapCreateBat, "Create *.bat",
     "Создать *.bat"},
    {Msg::CapListCommon, "List of common",
     "Список общих"},
    {Msg::CapListUnique, "List of unique",
     "Список уникальных"},
    {Msg::ToolNotStarted, "Unable to start %s",
     "Невозможно запустить %s"},
    {Msg::TextureNoOutput, "Texture %s: conversion failed, no output file",
     "Текстура %s: ошибка конвертации, конечный файл не создан"},
    {Msg::ShapeNoOutput, "Shape %s: conversion failed, no output file",
     "Шейп %s: ошибка конвертации, конечный файл не создан"},
    {Msg::UnicodeFailed, "Shape %s: not converted to Unicode",
     "Шейп %s: не конвертирован в Юникод"},
    {Msg::BinaryFailed, "Shape %s: not converted to binary",
     "Шейп %s: не конвертирован в двоичный формат"},
    {Msg::ShapeFileNotFound, "Shape %s: file not found",
     "Шейп %s: файл не найден"},
    {Msg::FileCompressed, "%s is stored compressed and cannot be read as text",
     "%s хранится в сжатом виде и не может быть прочитан как текст"},
    {Msg::FileBinary, "%s is stored in binary form and cannot be read as text",
     "%s хранится в двоичном виде и не может быть прочитан как текст"},
    {Msg::RouteUnreadable, "%s could not be read, so it is not written: its entries would be lost",
     "%s не удалось прочитать, поэтому он не будет перезаписан: его записи были бы потеряны"},
    {Msg::BadRouteName, "\"%s\" is not a route name: a route is named by its folder in ROUTES, without \\, /, : or ..",
     "\"%s\" не является именем маршрута: маршрут называется по своей папке в ROUTES, без \\, /, : и .."},
    {Msg::BadMipMapBias, "Mip-map bias \"%s\" is not a number such as -2 or 0.5",
     "Смещение мип-уровней \"%s\" не является числом, например -2 или 0.5"},
    {Msg::NotAWindowsName, "Skipped %s: not a file name Windows can hold",
     "Пропущен %s: такое имя файла недопустимо в Windows"},
    {Msg::RouteNotFound, "Route %s not found",
     "Маршрут %s не найден"},
    {Msg::NotRouteFile,
     "%s is not a route file (it does not start with the SIMIS header) and is not read",
     "%s не является файлом маршрута (он не начинается с заголовка SIMIS) и не будет прочитан"},
    {Msg::RouteFileCutShort,
     "%s ends inside an entry (the block beginning on line %s is not closed) and is not read",
     "%s обрывается внутри записи (блок, начатый в строке %s, не закрыт) и не будет прочитан"},
    {Msg::LineBreakInProperty, "The property %s holds a line break and cannot be written",
     "Свойство %s содержит перевод строки и не может быть записано"},
    {Msg::NotRegularFile, "%s is not a regular file and is not read",
     "%s не является обычным файлом и не читается"},
    {Msg::LeadsOutOfRoute, "%s leads out of the route and is not written",
     "%s ведёт за пределы маршрута, запись не выполняется"},
    {Msg::CapEntryList, "Entries", "Записи"},
    {Msg::CapComparisonResult, "Result", "Результат"},
    {Msg::CapLog, "Log", "Журнал"},
    {Msg::TextureMissing, "%s: texture not found",
     "%s: текстура не найдена"},
    {Msg::ShapeMissing, "%s: shape not found",
     "%s: объект не найден"},
    {Msg::NotMoved, "%s: could not be moved into the backup folder",
     "%s: не удалось переместить в папку резервных копий"},
    {Msg::OutsideRoute, "%s: the name leads out of the route, nothing is moved",
     "%s: имя ведёт за пределы маршрута, ничего не перемещено"},
    {Msg::KeptAs, " (kept as %s: an earlier backup has that name)",
     " (сохранён как %s: в резервных копиях уже есть файл с этим именем)"},
    {Msg::TexturesUnreadable, "%s cannot be read as text, so its textures stay in the route",
     "%s не читается как текст, поэтому его текстуры остаются в маршруте"},
    {Msg::FileUnreadable, "%s cannot be read as text; the search stops, as its shapes would count as unused",
     "%s не читается как текст; поиск остановлен, иначе его объекты считались бы неиспользуемыми"},
    {Msg::NoWorldFiles, "%s holds no world files; the search stops, as every shape would count as unused",
     "В %s нет файлов мира; поиск остановлен, иначе все объекты считались бы неиспользуемыми"},
    {Msg::HintPropertyName, "Click, or press Space or F2, to choose another name",
     "Щёлкните или нажмите Пробел или F2, чтобы выбрать другое имя"},
    {Msg::FilesMovedTo, "The files taken out lie in %s",
     "Убранные файлы находятся в %s"},
    {Msg::BadBlockType,
     "The block type \"%s\" cannot be written: it must be one word, without blanks, parentheses or quotes",
     "Тип блока \"%s\" нельзя записать: это должно быть одно слово, без пробелов, скобок и кавычек"},
    {Msg::BadPropertyName,
     "Row %s: the property name \"%s\" cannot be written: it must be one word, without blanks, parentheses or quotes",
     "Строка %s: имя свойства \"%s\" нельзя записать: это должно быть одно слово, без пробелов, скобок и кавычек"},
};

constexpr int kConstantCount = static_cast<int>(Msg::ProgramName) -
                               static_cast<int>(Msg::KeyFileName) + 1;

// Every key but the constants has one entry, in key order.
constexpr bool TextsCoverEveryKeyInOrder() {
  int expected = 0;
  for (const Texts& text : kTexts) {
    if (expected == static_cast<int>(Msg::KeyFileName)) expected += kConstantCount;
    if (static_cast<int>(text.key) != expected) return false;
    ++expected;
  }
  return expected == kMessageCount;
}

static_assert(TextsCoverEveryKeyInOrder(), "every text has an English and a Russian form");

struct Constant {
  Msg key;
  const char* value;
};

constexpr Constant kConstants[] = {
    {Msg::KeyFileName, "FileName"},
    {Msg::KeyDescription, "Description"},
    {Msg::KeyClass, "Class"},
    {Msg::ImageLinePrefix, "\timage "},
    {Msg::TexturesFolder, "TEXTURES\\"},
    {Msg::ShapesFolder, "SHAPES\\"},
    {Msg::BackupFolder, "Rastolin_backups\\"},
    {Msg::SeasonFolders, "NIGHT\\ AUTUMN\\ AUTUMNSNOW\\ WINTER\\ WINTERSNOW\\ SPRING\\ SPRINGSNOW\\ SNOW\\"},
    {Msg::ProgramName, "Rastolin"},
};

}  // namespace

Language::Language(int number) : number_(number) {
  SetTexts(number);
  for (const Constant& constant : kConstants) {
    texts_[static_cast<int>(constant.key)] = constant.value;
  }
}

void Language::SetTexts(int number) {
  if (number != kRussian && number != kEnglish) return;
  number_ = number;
  for (const Texts& text : kTexts) {
    texts_[static_cast<int>(text.key)] = number == kEnglish ? text.english : text.russian;
  }
}

std::string Language::Format(Msg key, const std::string& value) const {
  std::string text = (*this)[key];
  size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

std::string Language::Format(Msg key, const std::string& first, const std::string& second) const {
  std::string text = (*this)[key];
  size_t at = text.find("%s");
  if (at == std::string::npos) return text;
  text.replace(at, 2, first);
  // Searched after the first value, which may hold a "%s" of its own.
  at = text.find("%s", at + first.size());
  if (at != std::string::npos) text.replace(at, 2, second);
  return text;
}

}  // namespace core
