#include "sonavo/core/file_filter.h"

#include <strings.h>

namespace sonavo {
namespace {

// "*.a;*.b" of the extensions that belong to `device`.
std::string Pattern(const std::map<std::string, std::string>& extensions, const char* device) {
  std::string pattern;
  for (const auto& [extension, owner] : extensions) {
    if (strcasecmp(owner.c_str(), device) != 0) continue;
    if (!pattern.empty()) pattern += ";";
    pattern += "*." + extension;
  }
  return pattern;
}

void Add(std::string& filter, const std::string& label, const std::string& pattern) {
  filter += label + " (" + pattern + ")";
  filter += '\0';
  filter += pattern;
  filter += '\0';
}

}  // namespace

const char* DefaultExtension(PlayerKind kind) {
  switch (kind) {
    case PlayerKind::Midi:
      return "mid";
    case PlayerKind::Wave:
      return "wav";
    default:
      return "avi";
  }
}

std::string OpenFileFilter(PlayerKind kind, const std::map<std::string, std::string>& extensions,
                           const FilterLabels& labels) {
  std::string filter;
  std::string own = Pattern(extensions, Traits(kind).deviceType);
  if (own.empty()) own = std::string("*.") + DefaultExtension(kind);
  Add(filter, labels.player, own);
  if (kind == PlayerKind::Video) {
    const std::string mpeg = Pattern(extensions, "mpegvideo");
    if (!mpeg.empty()) Add(filter, labels.mpeg, mpeg);
  }
  Add(filter, labels.all, "*.*");
  filter += '\0';
  return filter;
}

}  // namespace sonavo
