// TSmoothPicture: bytes kept as loaded, sizes, resources, drawing.
#include "widgets/drawing/smooth_picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "encoded_image.h"
#include "widgets/drawing/drawing.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

const std::string kPng = std::string(TAVRIN_TEST_DATA_DIR) + "/red-blue-2x1.png";

std::vector<uint8_t> Encode(int w, int h, const std::vector<ARGB>& pixels, const char* type) {
  return testing::EncodeImage(w, h, pixels, false, type);
}

// A 5 x 3 GIF, written by hand because the decoder library cannot encode GIF.
const std::vector<uint8_t> kGif = {'G', 'I', 'F', '8', '9', 'a', 5, 0, 3, 0, 0x80, 0, 0,
                                   0xFF, 0, 0, 0, 0, 0, ',', 0, 0, 0, 0, 5, 0, 3, 0, 0,
                                   2, 2, 0x44, 1, 0, ';'};

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("drawing-picture-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
    return p.string();
  }
  fs::path dir_;
};

struct Counts {
  int change = 0, clear = 0;
  std::string order;
};

void Watch(TSmoothPicture& picture, Counts& counts) {
  picture.OnChange = [&counts](TSmoothPicture&) { ++counts.change, counts.order += "change "; };
  picture.OnClear = [&counts](TSmoothPicture&) { ++counts.clear, counts.order += "clear "; };
}

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SmoothPicture, EmptyDrawsFillsAndMeasuresNothing) {
  TSmoothPicture picture;
  EXPECT_TRUE(picture.GetEmpty());
  EXPECT_FALSE(picture.GetImageSizes());
  Surface image(4, 4);
  auto g = image.Graphics();
  picture.DrawOn(*g, TRect{0, 0, 4, 4});
  picture.FillRect(*g, TGPRectF{0, 0, 4, 4});
  EXPECT_EQ(image.Pixel(1, 1), 0u);
}

TEST(SmoothPicture, StreamBytesAreKeptExactly) {
  TSmoothPicture picture;
  Counts counts;
  Watch(picture, counts);
  std::vector<uint8_t> bytes = FileBytes(kPng);
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  picture.LoadFromStream(&in);
  EXPECT_FALSE(picture.GetEmpty());
  EXPECT_EQ(picture.GetWidth(), 2);
  EXPECT_EQ(picture.GetHeight(), 1);
  EXPECT_EQ(counts.change, 1);
  std::ostringstream out;
  picture.SaveToStream(out);
  EXPECT_EQ(out.str(), std::string(bytes.begin(), bytes.end()));
}

TEST(SmoothPicture, AbsentOrEmptyStreamLoadsNothing) {
  TSmoothPicture picture;
  Counts counts;
  Watch(picture, counts);
  picture.LoadFromStream(nullptr);
  std::istringstream empty;
  picture.LoadFromStream(&empty);
  EXPECT_TRUE(picture.GetEmpty());
  EXPECT_EQ(counts.change, 0);
}

TEST(SmoothPicture, FormDataLoadsWithoutChangeNotification) {
  TSmoothPicture picture;
  Counts counts;
  Watch(picture, counts);
  std::vector<uint8_t> bytes = FileBytes(kPng);
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  picture.ReadData(in);
  EXPECT_FALSE(picture.GetEmpty());
  EXPECT_TRUE(picture.IsDataStored());
  EXPECT_EQ(counts.change, 0);
}

TEST_F(PictureFiles, LoadFromFileClearsThenChanges) {
  TSmoothPicture picture;
  Counts counts;
  Watch(picture, counts);
  picture.LoadFromFile(kPng);
  EXPECT_EQ(counts.order, "clear change ");
  EXPECT_EQ(picture.Data(), FileBytes(kPng));
  EXPECT_EQ(picture.GetWidth(), 2);
}

TEST_F(PictureFiles, UnreadableFileLeavesThePictureEmptyWithoutError) {
  TSmoothPicture picture;
  Counts counts;
  Watch(picture, counts);
  EXPECT_NO_THROW(picture.LoadFromFile((dir_ / "missing.png").string()));
  EXPECT_TRUE(picture.GetEmpty());
  EXPECT_EQ(counts.change, 0);
}

struct HeaderCase {
  const char* name;
  const char* type;  // encoder, or null for the hand-written GIF
  int width, height;
};

class HeaderSizes : public PictureFiles, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HeaderSizes, ProvisionalSizeFromTheFileHeader) {
  const HeaderCase& c = GetParam();
  std::vector<uint8_t> bytes =
      c.type ? Encode(5, 3, std::vector<ARGB>(15, 0xFF00FF00), c.type) : kGif;
  std::string path = Write(c.name, bytes);
  TSmoothPicture picture;
  EXPECT_FALSE(picture.GetImageSizesFromFileName(path));
  EXPECT_EQ(picture.GetWidth(), c.width);
  EXPECT_EQ(picture.GetHeight(), c.height);
}

INSTANTIATE_TEST_SUITE_P(Formats, HeaderSizes,
                         ::testing::Values(HeaderCase{"a.png", "png", 5, 3},
                                           HeaderCase{"a.JPG", "jpeg", 5, 3},
                                           HeaderCase{"a.jpeg", "jpeg", 5, 3},
                                           HeaderCase{"a.bmp", "bmp", 5, 3},
                                           HeaderCase{"a.tiff", "tiff", 5, 3},
                                           HeaderCase{"a.gif", nullptr, 5, 3},
                                           HeaderCase{"a.tif", "tiff", 0, 0},
                                           HeaderCase{"a.txt", "png", 0, 0}));

TEST_F(PictureFiles, UndecodableDataKeepsTheProvisionalSize) {
  std::vector<uint8_t> bytes = FileBytes(kPng);
  bytes.resize(40);  // header intact, image data cut off
  TSmoothPicture picture;
  picture.LoadFromFile(Write("cut.png", bytes));
  EXPECT_FALSE(picture.GetEmpty());
  EXPECT_FALSE(picture.GetImageSizes());
  EXPECT_EQ(picture.GetWidth(), 2);
  Surface image(4, 4);
  auto g = image.Graphics();
  picture.DrawOn(*g, TRect{0, 0, 4, 4});
  EXPECT_EQ(image.Pixel(0, 0), 0u);
}

TEST(SmoothPicture, GetImageSizesOnEmptyKeepsTheOldSize) {
  TSmoothPicture picture;
  picture.LoadFromFile(kPng);
  picture.Assign(nullptr);
  EXPECT_TRUE(picture.GetEmpty());
  EXPECT_FALSE(picture.GetImageSizes());
  EXPECT_EQ(picture.GetWidth(), 2);
}

TEST(SmoothPicture, ResourcesByNameAndNumber) {
  TSmoothPicture picture;
  picture.LoadFromResourceName(HInstance(), "NOPE");
  EXPECT_TRUE(picture.GetEmpty());
  picture.LoadFromResourceName(HInstance(), "LOGO");
  EXPECT_FALSE(picture.GetEmpty());
  EXPECT_EQ(picture.Data(), FileBytes(kPng));
  TSmoothPicture numbered;
  numbered.LoadFromResourceID(HInstance(), 7);
  EXPECT_EQ(numbered.GetWidth(), 2);
  try {
    numbered.LoadFromResourceID(HInstance(), 8);
    FAIL() << "a missing numbered resource raises";
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource 8 not found");
  }
}

TEST(SmoothPicture, UrlPrefixesIgnoreCase) {
  TSmoothPicture fromRes, fromFile, other, bare;
  fromRes.LoadFromURL("res://LOGO");
  EXPECT_FALSE(fromRes.GetEmpty());
  fromFile.LoadFromURL("File://" + kPng);
  EXPECT_FALSE(fromFile.GetEmpty());
  other.LoadFromURL("http://LOGO");
  bare.LoadFromURL(kPng);
  EXPECT_TRUE(other.GetEmpty());
  EXPECT_TRUE(bare.GetEmpty());
}

TEST(SmoothPicture, AssignCopiesTheBytes) {
  TSmoothPicture source, target;
  source.LoadFromFile(kPng);
  Counts counts;
  Watch(target, counts);
  target.Assign(&source);
  EXPECT_EQ(target.Data(), source.Data());
  EXPECT_FALSE(target.GetEmpty());
  EXPECT_EQ(target.GetWidth(), 2);
  EXPECT_EQ(counts.order, "change ");
  target.Assign(nullptr);
  EXPECT_TRUE(target.GetEmpty());
  EXPECT_TRUE(target.Data().empty());
  EXPECT_EQ(counts.order, "change change clear ");
  TSmoothPicture empty;
  target.Assign(&empty);
  EXPECT_TRUE(target.GetEmpty());
}

TEST(SmoothPicture, DrawOnScalesIntoTheRectangle) {
  TSmoothPicture picture;
  picture.LoadFromFile(kPng);
  Surface image(8, 4);
  auto g = image.Graphics();
  picture.DrawOn(*g, TRect{0, 0, 8, 4});
  EXPECT_EQ(image.Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(image.Pixel(7, 3), 0xFF0000FFu);
  EXPECT_EQ(picture.PixelFormatValue(), PixelFormat32bppARGB);
  EXPECT_TRUE(picture.HasAlpha());
}

TEST_F(PictureFiles, TransparentBitmapIsKeyedByItsBottomLeftPixelAtNaturalSize) {
  const ARGB green = 0xFF00FF00, red = 0xFFFF0000;
  std::vector<ARGB> pixels = {red, green, red, green, red, red};  // 3 x 2, bottom-left green
  TSmoothPicture picture;
  picture.LoadFromFile(Write("key.bmp", Encode(3, 2, pixels, "bmp")));
  picture.SetTransparent(true);
  Surface image(10, 10);
  auto g = image.Graphics();
  picture.DrawOn(*g, TRect{1, 1, 10, 10});
  EXPECT_EQ(image.Pixel(1, 1), red);
  EXPECT_EQ(image.Pixel(2, 1), 0u);  // green keyed out
  EXPECT_EQ(image.Pixel(3, 2), red);
  EXPECT_EQ(image.Pixel(5, 5), 0u);  // not scaled
  picture.SetBitmapTransparentMode(tmFixed);
  picture.SetBitmapTransparentColor(clRed);
  Surface fixed(10, 10);
  picture.DrawOn(*fixed.Graphics(), TRect{0, 0, 10, 10});
  EXPECT_EQ(fixed.Pixel(0, 0), 0u);
  EXPECT_EQ(fixed.Pixel(1, 0), green);
}

TEST(SmoothPicture, FillRectTilesFromTheSurfaceOrigin) {
  TSmoothPicture picture;
  picture.LoadFromFile(kPng);
  Surface image(6, 2);
  auto g = image.Graphics();
  picture.FillRect(*g, TGPRectF{1, 0, 5, 2});
  EXPECT_EQ(image.Pixel(0, 0), 0u);
  EXPECT_EQ(image.Pixel(1, 1), 0xFF0000FFu);
  EXPECT_EQ(image.Pixel(4, 0), 0xFFFF0000u);
}

TEST(SmoothPicture, ClipboardTransferDoesNothing) {
  TSmoothPicture picture;
  picture.LoadFromClipboardFormat(1, 2, 3);
  EXPECT_TRUE(picture.GetEmpty());
}

}  // namespace
}  // namespace tavrin
