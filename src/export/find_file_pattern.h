// The database search: every file of one name anywhere in a folder tree.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/directory_lister.h"

namespace tavrin::chat_export {

// Appends to `list`, in depth-first order of the folders' own listings, root + name of every
// file whose name equals `pattern` regardless of letter case ("MAIN.DB" matches "main.db";
// "main.db-journal" does not). `root` gets a trailing "/" unless it has one ("" becomes "/").
//
// Folders whose lower-cased full path contains "chatsync", "httpfe", "voicemail" or
// "my skype received files" are skipped with their sub-trees; the words are looked for in the
// whole path, so a root that contains one still has its own files compared.
//
// `serviceMessages` runs once per folder entry. Nothing is reported: a folder that cannot be
// listed contributes nothing. Every folder is searched at most once, however many links lead
// to it, so the search ends also on trees whose links form cycles.
void FindFilePattern(const std::string& root, const std::string& pattern,
                     std::vector<std::string>& list, platform::DirectoryLister& lister,
                     const std::function<void()>& serviceMessages = {});

// Locale-independent lower-casing, one character for one, of UTF-8 text; bytes that are not
// well-formed UTF-8 stay as they are.
std::string LowerCase(std::string_view text);

}  // namespace tavrin::chat_export
