// The folder the database search starts from when the user has typed nothing else.
#pragma once

#include <string>

namespace tavrin::platform {

// The per-user configuration folder ($XDG_CONFIG_HOME, else ~/.config) with "/" appended
// unless it already ends in one, then "skype/". When the folder cannot be determined the
// result is "/skype/".
std::string DefaultDatabaseRoot();

// The rule above applied to a given base folder (empty when it could not be determined).
std::string DatabaseRootBelow(const std::string& baseFolder);

}  // namespace tavrin::platform
