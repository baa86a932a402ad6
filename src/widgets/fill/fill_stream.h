#pragma once
// The fill as a self-describing property stream: the clipboard form's content.
//
// The stream is text in the shape of a form resource: the holder object "TSaver" with its one
// property SaveObject set to the fill, so each stored property appears as "SaveObject.<Name>".
// Properties equal to their stored-unless value are omitted, as when a form is stored:
//
//   object TSaver
//     SaveObject.Color = 16445929
//     SaveObject.GradientMirrorType = gtVertical
//     SaveObject.Picture.Data = {89504E}
//   end
//
// Integers (colours included) are decimal, enumerations their identifiers (a number is read
// too), pictures their bytes as hex in braces.

#include <string>
#include <string_view>

namespace tavrin {

class TSmoothFill;

std::string SaveObject(const TSmoothFill& fill);

// Sets every property the stream names through its setter, so each real change announces
// itself unless updates are held. A property the stream omits was at its stored-unless value
// when saved and is set back to it, so the fill ends equal to the one saved. Throws
// EReadError for a malformed stream, after the properties before the fault have been set.
void LoadObject(std::string_view stream, TSmoothFill& fill);

}  // namespace tavrin
