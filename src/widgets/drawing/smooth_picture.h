#pragma once
// TSmoothPicture: the widgets' picture. It keeps an image file's bytes exactly as loaded and
// decodes them again for every measure, draw and fill; nothing decoded is cached.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_types.h"

namespace tavrin {

class TGPGraphics;
class TGPGraphicsPath;

// The toolkit's resource-not-found error.
class EResNotFound : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised when the memory block for decoding cannot be had: "Could not allocate memory for image".
class EOutOfMemory : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A program module whose resources a picture can load. Resources are GResource entries under
// `root` + name; raw-data resources (type 10) live in the "RCDATA/" folder below the root, and a
// numbered resource is named "#" followed by the number. Any registered resource bundle works.
struct TModuleInstance {
  std::string root = "/tavrin/";
};
// The program's own module.
TModuleInstance HInstance();

enum TBitmapTransparentMode : int32_t { tmAuto = 0, tmFixed = 1 };

class TSmoothPicture {
 public:
  using TNotifyEvent = std::function<void(TSmoothPicture& sender)>;

  TSmoothPicture() = default;
  TSmoothPicture(const TSmoothPicture&) = delete;
  TSmoothPicture& operator=(const TSmoothPicture&) = delete;

  // ---- Loading and saving ----
  // Reads the whole file; failures are swallowed and leave the picture empty. Raises OnClear,
  // then OnChange.
  void LoadFromFile(const std::string& fileName);
  // Nothing for an absent or empty stream; otherwise copies the whole rest of the stream.
  void LoadFromStream(std::istream* stream);
  void SaveToStream(std::ostream& stream) const;
  // The form-resource form of the bytes ("Data"): the same without OnChange.
  void ReadData(std::istream& stream);
  void WriteData(std::ostream& stream) const;
  // Whether the form data holds the picture (only when not empty).
  bool IsDataStored() const { return !GetEmpty(); }
  // Module resources of the raw-data type. ByName does nothing for a missing resource; ByID
  // raises EResNotFound.
  void LoadFromResourceName(const TModuleInstance& instance, std::string_view resName);
  void LoadFromResourceID(const TModuleInstance& instance, int32_t resID);
  // "RES://name" (any case) loads the program's resource, "FILE://path" a file; else nothing.
  void LoadFromURL(std::string_view url);
  // Clipboard transfer of a picture does nothing.
  void LoadFromClipboardFormat(uint16_t format, uintptr_t data, uintptr_t palette);
  void SaveToClipboardFormat(uint16_t& format, uintptr_t& data, uintptr_t& palette) const;

  // Copies another picture's bytes (nullptr clears). Raises OnChange (and OnClear for nullptr).
  void Assign(const TSmoothPicture* source);
  // Holds the bytes another graphic saved of itself (a toolkit bitmap, icon, ...).
  void AssignGraphicBytes(std::vector<uint8_t> bytes);

  // ---- Size ----
  // Decodes the data and stores its size; false when empty or undecodable (size kept).
  bool GetImageSizes();
  // Provisional size from the file's header by extension; always false.
  bool GetImageSizesFromFileName(const std::string& fileName);

  // ---- Drawing ----
  void DrawOn(TGPGraphics& graphics, const TRect& rect);
  void DrawOn(TGPGraphics& graphics, const TGPRectF& rect);
  void FillRect(TGPGraphics& graphics, const TGPRectF& r);
  void FillPath(TGPGraphics& graphics, const TGPGraphicsPath& path);
  // Drawing on a toolkit canvas (a Cairo context).
  void Draw(cairo_t* canvas, const TRect& rect);

  // ---- Properties ----
  bool GetEmpty() const { return FIsEmpty; }
  bool Empty() const { return FIsEmpty; }
  int32_t GetWidth() const { return FWidth; }
  int32_t GetHeight() const { return FHeight; }
  void SetWidth(int32_t) {}
  void SetHeight(int32_t) {}
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TBitmapTransparentMode BitmapTransparentMode() const { return FBitmapTransparentMode; }
  void SetBitmapTransparentMode(TBitmapTransparentMode mode) { FBitmapTransparentMode = mode; }
  TColor BitmapTransparentColor() const { return FBitmapTransparentColor; }
  void SetBitmapTransparentColor(TColor color) { FBitmapTransparentColor = color; }
  int32_t PixelDepth() const { return FPixelDepth; }
  int32_t PixelFormatValue() const { return FPixelFormat; }
  bool HasAlpha() const { return FHasAlpha; }
  bool HasPalette() const { return FHasPalette; }
  const std::vector<uint8_t>& Data() const { return FDatastream; }

  TNotifyEvent OnChange;
  TNotifyEvent OnClear;

 private:
  void Changed();
  void Cleared();
  void LoadBytes(std::vector<uint8_t> bytes);
  bool LoadResource(const std::string& path);
  // A transparent BMP (or any BMP when `bmpNatural`) is drawn 1:1 at (left, top), keyed.
  void DrawInto(TGPGraphics& graphics, const TGPRectF& rect, int32_t left, int32_t top,
                bool bmpNatural = false);

  std::vector<uint8_t> FDatastream;
  bool FIsEmpty = true;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  bool FDrawing = false;
  bool FTransparent = false;
  TBitmapTransparentMode FBitmapTransparentMode = tmAuto;
  TColor FBitmapTransparentColor = 0xFFFFFF;
  int32_t FPixelDepth = 0;
  int32_t FPixelFormat = 0;
  bool FHasAlpha = false;
  bool FHasPalette = false;
};

}  // namespace tavrin
