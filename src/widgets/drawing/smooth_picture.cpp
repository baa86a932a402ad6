#include "widgets/drawing/smooth_picture.h"

#include <gio/gio.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <new>

#include "widgets/drawing/gp_graphics.h"

namespace tavrin {
namespace {

constexpr const char* kNoMemory = "Could not allocate memory for image";

std::string Upper(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && Upper(text.substr(0, prefix.size())) == prefix;
}

std::vector<uint8_t> ReadAll(std::istream& in) {
  if (in.seekg(0, std::ios::beg)) {
    // A seekable stream is copied whole, from its start.
  } else {
    in.clear();
  }
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The decoding buffer stands for the original's movable global memory block.
std::vector<uint8_t> DecodingCopy(const std::vector<uint8_t>& data) {
  try {
    return data;
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(kNoMemory);
  }
}

class DrawingGuard {
 public:
  explicit DrawingGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~DrawingGuard() { flag_ = false; }
  DrawingGuard(const DrawingGuard&) = delete;
  DrawingGuard& operator=(const DrawingGuard&) = delete;

 private:
  bool& flag_;
};

// ---- Image headers for the provisional size ----

uint32_t Be(const std::vector<uint8_t>& d, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | (at + i < d.size() ? d[at + i] : 0);
  return v;
}

uint32_t Le(const std::vector<uint8_t>& d, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | (at + i < d.size() ? d[at + i] : 0);
  return v;
}

bool PngSize(const std::vector<uint8_t>& d, int32_t& w, int32_t& h) {
  if (d.size() < 24) return false;
  w = static_cast<int32_t>(Be(d, 16, 4));
  h = static_cast<int32_t>(Be(d, 20, 4));
  return true;
}

bool BmpSize(const std::vector<uint8_t>& d, int32_t& w, int32_t& h) {
  if (d.size() < 26) return false;
  if (Le(d, 14, 4) == 12) {  // the old core header has 16-bit sizes
    w = static_cast<int32_t>(Le(d, 18, 2));
    h = static_cast<int32_t>(Le(d, 20, 2));
    return true;
  }
  w = static_cast<int32_t>(Le(d, 18, 4));
  h = std::abs(static_cast<int32_t>(Le(d, 22, 4)));
  return true;
}

bool GifSize(const std::vector<uint8_t>& d, int32_t& w, int32_t& h) {
  if (d.size() < 10) return false;
  w = static_cast<int32_t>(Le(d, 6, 2));
  h = static_cast<int32_t>(Le(d, 8, 2));
  return true;
}

bool JpegSize(const std::vector<uint8_t>& d, int32_t& w, int32_t& h) {
  size_t i = 2;
  while (i + 9 < d.size()) {
    if (d[i] != 0xFF) return false;
    uint8_t marker = d[i + 1];
    if (marker == 0xFF) {
      ++i;
      continue;
    }
    uint32_t length = Be(d, i + 2, 2);
    bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                 marker != 0xCC;
    if (frame) {
      h = static_cast<int32_t>(Be(d, i + 5, 2));
      w = static_cast<int32_t>(Be(d, i + 7, 2));
      return true;
    }
    i += 2 + length;
  }
  return false;
}

bool TiffSize(const std::vector<uint8_t>& d, int32_t& w, int32_t& h) {
  if (d.size() < 8) return false;
  const bool little = d[0] == 'I';
  auto get = [&](size_t at, int bytes) { return little ? Le(d, at, bytes) : Be(d, at, bytes); };
  size_t ifd = get(4, 4);
  uint32_t count = get(ifd, 2);
  bool found = false;
  for (uint32_t e = 0; e < count; ++e) {
    size_t entry = ifd + 2 + e * 12;
    if (entry + 12 > d.size()) break;
    uint32_t tag = get(entry, 2), type = get(entry + 2, 2);
    uint32_t value = type == 3 ? get(entry + 8, 2) : get(entry + 8, 4);
    if (tag == 256) w = static_cast<int32_t>(value), found = true;
    if (tag == 257) h = static_cast<int32_t>(value), found = true;
  }
  return found;
}

}  // namespace

TModuleInstance HInstance() { return {}; }

// ---- Notifications ----

void TSmoothPicture::Changed() {
  if (OnChange) OnChange(*this);
}

void TSmoothPicture::Cleared() {
  if (OnClear) OnClear(*this);
}

void TSmoothPicture::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  Changed();
}

// ---- Loading and saving ----

void TSmoothPicture::LoadFromFile(const std::string& fileName) {
  try {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw std::runtime_error("unreadable");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("unreadable");
    FDatastream = std::move(bytes);
    FIsEmpty = false;
    Cleared();
    GetImageSizesFromFileName(fileName);
    Changed();
  } catch (...) {
    // A file that cannot be read leaves the picture empty, without an error.
    FIsEmpty = true;
  }
}

void TSmoothPicture::LoadBytes(std::vector<uint8_t> bytes) {
  FDatastream = std::move(bytes);
  FIsEmpty = false;
  GetImageSizes();
}

void TSmoothPicture::LoadFromStream(std::istream* stream) {
  if (stream == nullptr) return;
  std::vector<uint8_t> bytes = ReadAll(*stream);
  if (bytes.empty()) return;
  LoadBytes(std::move(bytes));
  Changed();
}

void TSmoothPicture::ReadData(std::istream& stream) {
  std::vector<uint8_t> bytes = ReadAll(stream);
  if (bytes.empty()) return;
  LoadBytes(std::move(bytes));
}

void TSmoothPicture::SaveToStream(std::ostream& stream) const {
  stream.write(reinterpret_cast<const char*>(FDatastream.data()),
               static_cast<std::streamsize>(FDatastream.size()));
}

void TSmoothPicture::WriteData(std::ostream& stream) const { SaveToStream(stream); }

bool TSmoothPicture::LoadResource(const std::string& path) {
  // A missing resource is an answer, not a failure: its error text is not wanted.
  native::Bytes bytes(g_resources_lookup_data(path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr));
  if (!bytes) return false;
  gsize size = 0;
  auto* data = static_cast<const uint8_t*>(g_bytes_get_data(bytes.get(), &size));
  if (size > 0) {
    LoadBytes(std::vector<uint8_t>(data, data + size));
    Changed();
  }
  return true;
}

void TSmoothPicture::LoadFromResourceName(const TModuleInstance& instance,
                                          std::string_view resName) {
  LoadResource(instance.root + "RCDATA/" + std::string(resName));
}

void TSmoothPicture::LoadFromResourceID(const TModuleInstance& instance, int32_t resID) {
  if (!LoadResource(instance.root + "RCDATA/#" + std::to_string(resID)))
    throw EResNotFound("Resource " + std::to_string(resID) + " not found");
}

void TSmoothPicture::LoadFromURL(std::string_view url) {
  if (StartsWithNoCase(url, "RES://")) {
    LoadFromResourceName(HInstance(), url.substr(6));
  } else if (StartsWithNoCase(url, "FILE://")) {
    LoadFromFile(std::string(url.substr(7)));
  }
}

void TSmoothPicture::LoadFromClipboardFormat(uint16_t, uintptr_t, uintptr_t) {}
void TSmoothPicture::SaveToClipboardFormat(uint16_t&, uintptr_t&, uintptr_t&) const {}

void TSmoothPicture::Assign(const TSmoothPicture* source) {
  FIsEmpty = true;
  if (source == nullptr) {
    FDatastream.clear();
    Changed();
    Cleared();
  } else {
    std::vector<uint8_t> copy = source->FDatastream;
    FDatastream = std::move(copy);
    FIsEmpty = FDatastream.empty();
    Changed();
  }
  GetImageSizes();
}

void TSmoothPicture::AssignGraphicBytes(std::vector<uint8_t> bytes) {
  FIsEmpty = true;
  FDatastream = std::move(bytes);
  FIsEmpty = false;
  Changed();
  GetImageSizes();
}

// ---- Size ----

bool TSmoothPicture::GetImageSizes() {
  if (FIsEmpty || FDatastream.empty()) return false;
  std::vector<uint8_t> block = DecodingCopy(FDatastream);
  TGPImage image(block);
  if (image.NativeSurface() == nullptr) return false;
  FWidth = static_cast<int32_t>(image.GetWidth());
  FHeight = static_cast<int32_t>(image.GetHeight());
  return true;
}

bool TSmoothPicture::GetImageSizesFromFileName(const std::string& fileName) {
  FWidth = 0;
  FHeight = 0;
  const size_t dot = fileName.rfind('.');
  const std::string ext = dot == std::string::npos ? "" : Upper(fileName.substr(dot));
  std::ifstream in(fileName, std::ios::binary);
  std::vector<uint8_t> head((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int32_t w = 0, h = 0;
  bool read = false;
  if (ext == ".JPG" || ext == ".JPEG") read = JpegSize(head, w, h);
  else if (ext == ".PNG") read = PngSize(head, w, h);
  else if (ext == ".BMP") read = BmpSize(head, w, h);
  else if (ext == ".TIFF") read = TiffSize(head, w, h);
  else if (ext == ".GIF") read = GifSize(head, w, h);
  if (read) {
    FWidth = w;
    FHeight = h;
  }
  return false;
}

// ---- Drawing ----

void TSmoothPicture::DrawInto(TGPGraphics& graphics, const TGPRectF& rect, int32_t left,
                              int32_t top, bool bmpNatural) {
  if (FIsEmpty || FDatastream.empty()) return;
  std::vector<uint8_t> block = DecodingCopy(FDatastream);
  TGPBitmap image(block);
  FHasAlpha = image.HasAlphaChannel();
  FHasPalette = image.HasPalette();
  FPixelDepth = image.GetPixelDepth();
  FPixelFormat = image.GetPixelFormat();
  if (image.NativeSurface() == nullptr) return;
  FWidth = static_cast<int32_t>(image.GetWidth());
  FHeight = static_cast<int32_t>(image.GetHeight());
  if (image.GetFormat() == ifBMP && (FTransparent || bmpNatural)) {
    const float w = static_cast<float>(FWidth), h = static_cast<float>(FHeight);
    const TGPRectF natural{static_cast<float>(left), static_cast<float>(top), w, h};
    if (!FTransparent) {
      graphics.DrawImage(image, natural);
      return;
    }
    ARGB key = 0;
    if (FBitmapTransparentMode == tmFixed)
      key = MakeColor(255, FBitmapTransparentColor);
    else
      image.GetPixel(0, FHeight - 1, key);
    TGPImageAttributes attributes;
    attributes.SetColorKey(key, key);
    graphics.DrawImage(image, natural, 0, 0, w, h, UnitPixel, &attributes);
    return;
  }
  graphics.DrawImage(image, rect);
}

void TSmoothPicture::DrawOn(TGPGraphics& graphics, const TRect& rect) {
  DrawInto(graphics,
           TGPRectF{static_cast<float>(rect.Left), static_cast<float>(rect.Top),
                    static_cast<float>(rect.Width()), static_cast<float>(rect.Height())},
           rect.Left, rect.Top);
}

void TSmoothPicture::DrawOn(TGPGraphics& graphics, const TGPRectF& rect) {
  if (FDrawing) return;
  DrawingGuard guard(FDrawing);
  DrawInto(graphics, rect, static_cast<int32_t>(rect.X), static_cast<int32_t>(rect.Y));
}

void TSmoothPicture::FillRect(TGPGraphics& graphics, const TGPRectF& r) {
  if (FIsEmpty || FDatastream.empty()) return;
  std::vector<uint8_t> block = DecodingCopy(FDatastream);
  TGPImage image(block);
  if (image.NativeSurface() == nullptr) return;
  TGPTextureBrush brush(image, WrapModeTile);
  graphics.FillRectangle(brush, r);
}

void TSmoothPicture::FillPath(TGPGraphics& graphics, const TGPGraphicsPath& path) {
  if (FIsEmpty || FDatastream.empty()) return;
  std::vector<uint8_t> block = DecodingCopy(FDatastream);
  TGPImage image(block);
  if (image.NativeSurface() == nullptr) return;
  TGPTextureBrush brush(image, WrapModeTile);
  graphics.FillPath(brush, path);
}

void TSmoothPicture::Draw(cairo_t* canvas, const TRect& rect) {
  if (canvas == nullptr) return;
  // A toolkit canvas shows a BMP at its natural size, other images scaled into the rectangle.
  TGPGraphics graphics(canvas);
  DrawInto(graphics,
           TGPRectF{static_cast<float>(rect.Left), static_cast<float>(rect.Top),
                    static_cast<float>(rect.Width()), static_cast<float>(rect.Height())},
           rect.Left, rect.Top, true);
}

}  // namespace tavrin
