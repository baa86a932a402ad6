// Chat file names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/file_writer.h"

namespace tavrin::chat_export {

// A copy of `text` with each of "/", "\", "$", ".", "*", "?", "-" and "#" replaced by "_".
// Nothing else changes and the length stays the same, so a cleaned chat name can neither leave
// the output folder nor name a hidden file.
std::string fixfilename(std::string_view text);

// The date part of a chat file name: fixfilename of the first 10 characters of the newest
// message's date text ("2014-05-03 10:22:11" gives "2014_05_03"), or of the whole text when
// it is shorter.
std::string ChatDatePart(std::string_view mdate);

using platform::kCommonNameMax;

// outputFolder + "l" + datePart + fixfilename(chatName) + suffix + ".txt"; outputFolder ends
// in "/". When the last component would be longer than nameMax bytes, the cleaned chat name is
// cut at a character boundary until it fits, so that one chat with a very long name cannot
// stop the export of every later chat. The suffix (a number the run adds to keep files apart)
// is always kept whole.
std::string ChatFileName(std::string_view outputFolder, std::string_view datePart,
                         std::string_view chatName, std::string_view suffix = {},
                         std::size_t nameMax = kCommonNameMax);

// The output folder for the file chosen in the output dialog: everything up to and including
// its last "/", with "/" appended unless it already ends in one. The chosen file itself is
// never opened.
std::string OutputFolderOf(std::string_view chosenFile);

}  // namespace tavrin::chat_export
