// The window's font.
#pragma once

namespace tavrin::app {

// The window is designed in Tahoma. Debian ships one with its Windows compatibility fonts,
// outside fontconfig's folders; when fontconfig knows no Tahoma, that folder is added to the
// program's font set. Call before the first text is laid out. Without it, fontconfig's
// fallback family applies.
void MakeWindowFontAvailable();

}  // namespace tavrin::app
