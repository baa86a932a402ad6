// Decoded images: container format, pixel format and pixels.
#include "widgets/drawing/gp_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoded_image.h"
#include "widgets/drawing/drawing.h"

namespace tavrin {
namespace {

std::vector<uint8_t> Encode(const char* type, bool alpha) {
  return testing::EncodeImage(3, 2, std::vector<ARGB>(6, 0xFF336699), alpha, type);
}

struct FormatCase {
  const char* type;
  bool alpha;
  TGPImageFormat format;
  PixelFormat pixelFormat;
  bool hasAlpha;
};

class ImageFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ImageFormats, ContainerAndPixelFormatFromTheData) {
  const FormatCase& c = GetParam();
  TGPImage image(Encode(c.type, c.alpha));
  ASSERT_EQ(image.GetLastStatus(), Ok);
  EXPECT_EQ(image.GetFormat(), c.format);
  EXPECT_EQ(image.GetPixelFormat(), c.pixelFormat);
  EXPECT_EQ(image.HasAlphaChannel(), c.hasAlpha);
  EXPECT_EQ(image.GetWidth(), 3u);
  EXPECT_EQ(image.GetHeight(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ImageFormats,
    ::testing::Values(FormatCase{"png", true, ifPNG, PixelFormat32bppARGB, true},
                      FormatCase{"png", false, ifPNG, PixelFormat24bppRGB, false},
                      FormatCase{"bmp", false, ifBMP, PixelFormat24bppRGB, false},
                      FormatCase{"jpeg", false, ifJPEG, PixelFormat24bppRGB, false},
                      FormatCase{"tiff", false, ifTIFF, PixelFormat24bppRGB, false}));

TEST(Image, UndecodableDataIsAnUnknownFormatOfSizeZero) {
  const std::vector<uint8_t> junk = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
  TGPImage image(junk);
  EXPECT_EQ(image.GetLastStatus(), UnknownImageFormat);
  EXPECT_EQ(image.GetWidth(), 0u);
  EXPECT_EQ(image.GetFormat(), ifUndefined);
  Surface target(2, 2);
  EXPECT_EQ(target.Graphics()->DrawImage(image, 0, 0), InvalidParameter);
}

TEST(Bitmap, DecodedPixelsReadBackStraight) {
  TGPBitmap bitmap(Encode("png", true));
  ARGB c = 0;
  ASSERT_EQ(bitmap.GetPixel(2, 1, c), Ok);
  EXPECT_EQ(c, 0xFF336699u);
}

TEST(Bitmap, BlankBitmapIsTransparentAndReadsBackWhatWasSet) {
  TGPBitmap bitmap(3, 3, PixelFormat32bppARGB);
  EXPECT_EQ(bitmap.GetFormat(), ifMemoryBMP);
  ARGB c = 1;
  bitmap.GetPixel(1, 1, c);
  EXPECT_EQ(c, 0u);
  bitmap.SetPixel(1, 1, 0x80FF0000);
  bitmap.GetPixel(1, 1, c);
  EXPECT_EQ(c, 0x80FF0000u);
  TGPBitmap none(0, 5);
  EXPECT_EQ(none.GetLastStatus(), InvalidParameter);
}

TEST(DrawImage, ScaledIntoARectangle) {
  TGPBitmap source(Encode("png", true));
  Surface target(9, 4);
  target.Graphics()->DrawImageRect(source, 0, 0, 6, 4);
  EXPECT_EQ(target.Pixel(5, 3), 0xFF336699u);
  EXPECT_EQ(target.Pixel(6, 0), 0u);
}

}  // namespace
}  // namespace tavrin
