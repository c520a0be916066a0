#include "ops/worn_textures.h"

#include <unordered_set>

#include "ops/shape_images.h"
#include "platform/text.h"
#include "platform/windows_path.h"

namespace ops {

WornTextures::WornTextures(core::ConvMain& main, const route::Route& route, SimisReader& reader,
                           const std::vector<std::string>& leaving)
    : main_(main), route_(route), reader_(reader) {
  for (const std::string& name : leaving) leaving_.insert(platform::FoldCase(name));
}

std::vector<std::string> WornTextures::Wearing(const std::string& texture) {
  if (!read_) Read();
  read_ = true;
  const auto found = wearers_.find(platform::FoldCase(texture));
  return found == wearers_.end() ? std::vector<std::string>{} : found->second;
}

void WornTextures::Read() {
  const std::string folder = route_.Folder + main_.language[core::Msg::ShapesFolder];
  const std::optional<std::vector<platform::FindEntry>> found =
      main_.files.FindFiles(folder + "*.s");
  if (!found) return;
  std::vector<std::string> names;
  std::vector<std::string> paths;
  for (const platform::FindEntry& entry : *found) {
    if (!platform::IsWindowsFileName(entry.name) ||
        leaving_.count(platform::FoldCase(entry.name)) != 0) {
      continue;
    }
    names.push_back(entry.name);
    paths.push_back(folder + entry.name);
  }
  ReadAhead ahead(main_.files, paths, DigestShape, kShapeWindow);
  int unread = 0;
  for (size_t n = 0; n < paths.size(); ++n) {
    ImagesUnread why;
    std::string reason;
    std::unordered_set<std::string> worn;
    for (const std::string& image : TakeImages(ahead, reader_, paths[n], why, reason)) {
      std::string folded = platform::FoldCase(image);
      if (!image.empty() && worn.insert(folded).second) {
        wearers_[std::move(folded)].push_back(names[n]);
      }
    }
    unread += why != ImagesUnread::kNone;
    main_.ui.KeepAlive();
  }
  if (unread > 0) {
    main_.log.Add(main_.language.Format(core::Msg::ShapesNotRead, std::to_string(unread), folder));
  }
}

}  // namespace ops
