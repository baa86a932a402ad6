#include "platform/default_root.h"

#include <glib.h>

namespace tavrin::platform {

std::string DatabaseRootBelow(const std::string& baseFolder) {
  std::string root = baseFolder;
  if (root.empty() || root.back() != '/') root += '/';
  return root + "skype/";
}

std::string DefaultDatabaseRoot() {
  // GLib owns the returned text and caches it for the life of the process.
  const gchar* configFolder = g_get_user_config_dir();
  return DatabaseRootBelow(configFolder != nullptr ? configFolder : "");
}

}  // namespace tavrin::platform
