// Chat file names.
#pragma once

#include <string>
#include <string_view>

namespace tavrin::chat_export {

// A copy of `text` with each of "/", "\", "$", ".", "*", "?", "-" and "#" replaced by "_".
// Nothing else changes and the length stays the same, so a cleaned chat name can neither leave
// the output folder nor name a hidden file.
std::string fixfilename(std::string_view text);

// The date part of a chat file name: fixfilename of the first 10 characters of the newest
// message's date text ("2014-05-03 10:22:11" gives "2014_05_03"), or of the whole text when
// it is shorter.
std::string ChatDatePart(std::string_view mdate);

// outputFolder + "l" + datePart + fixfilename(chatName) + ".txt"; outputFolder ends in "/".
std::string ChatFileName(std::string_view outputFolder, std::string_view datePart,
                         std::string_view chatName);

// The output folder for the file chosen in the output dialog: everything up to and including
// its last "/", with "/" appended unless it already ends in one. The chosen file itself is
// never opened.
std::string OutputFolderOf(std::string_view chosenFile);

}  // namespace tavrin::chat_export
