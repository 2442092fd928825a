#include "common/store/profile_store.h"

#include "common/text/number_text.h"

int ReadProfileInt(ProfileStore& file, const std::string& section, const std::string& key,
                   int defaultValue) {
  // The profile functions read the number into 30 characters.
  return text::ProfileInt(file.ReadString(section, key, "", 30), defaultValue);
}
