// The fill's INI section form, its hex text, and the INI layer under it.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fill_test_support.h"
#include "widgets/fill/fill.h"
#include "widgets/fill/fill_errors.h"
#include "widgets/fill/fill_storage.h"
#include "widgets/fill/fill_stream.h"
#include "widgets/fill/ini_file.h"

namespace tavrin {
namespace {

using testing::LoadBlue;
using testing::LoadGreen;
using testing::MakeDistinct;
using testing::TempDir;

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path) << text;
}

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> b) {
  return b;
}

void LoadBytes(TSmoothPicture& picture, const std::vector<uint8_t>& bytes) {
  std::istringstream stream(std::string(bytes.begin(), bytes.end()));
  picture.LoadFromStream(&stream);
}

// ---- Hex text ----------------------------------------------------------------------------

TEST(HexTextTest, StreamToStringWritesTwoUpperCaseDigitsPerByte) {
  EXPECT_EQ(StreamToString(Bytes({0x89, 0x50, 0x4E})), "89504E");
  EXPECT_EQ(StreamToString(Bytes({0x00, 0xAB, 0xFF})), "00ABFF");
  EXPECT_EQ(StreamToString({}), "");
}

TEST(HexTextTest, StringToStreamReadsEitherCaseAndIgnoresAnOddLastCharacter) {
  std::vector<uint8_t> stream = {1, 2, 3, 4};
  StringToStream("89504e", stream);
  EXPECT_EQ(stream, Bytes({0x89, 0x50, 0x4E}));
  StringToStream("aBc", stream);
  EXPECT_EQ(stream, Bytes({0xAB}));
  StringToStream("", stream);
  EXPECT_TRUE(stream.empty());
}

TEST(HexTextTest, MalformedDigitsRaiseNoHexNumber) {
  for (const char* text : {"8G", "G8", " 1", "-1", "0x"}) {
    std::vector<uint8_t> stream;
    try {
      StringToStream(std::string("00") + text, stream);
      ADD_FAILURE() << text;
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), "No Hex-Number");
      EXPECT_EQ(stream, Bytes({0x00})) << "bytes before the fault stay";
    }
  }
}

TEST(HexTextTest, HexToIntReadsTheFirstTwoCharacters) {
  EXPECT_EQ(HexToInt("ff"), 255);
  EXPECT_EQ(HexToInt("0A"), 10);
  EXPECT_EQ(HexToInt("7fzz"), 127);
  EXPECT_THROW(HexToInt("f"), EConvertError);
}

// ---- Writing a section -------------------------------------------------------------------

TEST(FillIniTest, SavingWritesTheKeysInOrderWithDecimalValues) {
  TempDir dir;
  const std::string file = dir.File("fills.ini");
  TSmoothFill fill;
  fill.SetColor(clBtnFace);
  fill.SetGradientMirrorType(gtVertical);
  fill.SaveToFile(file, "Panel.Fill");
  EXPECT_EQ(ReadText(file),
            "[Panel.Fill]\n"
            "Color=-16777201\n"
            "ColorTo=8421504\n"
            "ColorMirror=536870911\n"
            "ColorMirrorTo=536870911\n"
            "GradientType=2\n"
            "GradientMirrorType=2\n"
            "HatchStyle=0\n"
            "HatchStyleMirror=0\n"
            "BackGroundPictureMode=1\n"
            "BackGroundPicturePosition=0\n"
            "BackGroundPictureLeft=0\n"
            "BackGroundPictureTop=0\n"
            "PicturePosition=0\n"
            "PictureLeft=0\n"
            "PictureTop=0\n"
            "PictureSizeMode=0\n"
            "PictureWidth=50\n"
            "PictureHeight=50\n"
            "Opacity=255\n"
            "OpacityTo=255\n"
            "OpacityMirror=255\n"
            "OpacityMirrorTo=255\n"
            "BorderColor=536870911\n"
            "BorderOpacity=255\n"
            "BorderWidth=1\n"
            "Rounding=0\n"
            "RoundingType=3\n"
            "ShadowOffset=0\n"
            "ShadowColor=8421504\n"
            "Angle=0\n"
            "Glow=0\n"
            "GlowGradientColor=16777215\n"
            "GlowRadialColor=16777215\n"
            "Picture=\n"
            "PictureSize=0\n"
            "BackgroundPicture=\n"
            "BackgroundPictureSize=0\n");
}

TEST(FillIniTest, PictureBytesAreWrittenAsHexWithTheirTextLength) {
  TempDir dir;
  IniFile ini(dir.File("fills.ini"));
  TSmoothFill fill;
  LoadBytes(fill.Picture(), Bytes({0x89, 0x50, 0x4E}));
  fill.SaveToFile(ini, "F");
  EXPECT_EQ(ini.ReadString("F", "Picture", "?"), "89504E");
  EXPECT_EQ(ini.ReadInteger("F", "PictureSize", -1), 6);
  EXPECT_EQ(ini.ReadString("F", "BackgroundPicture", "?"), "");
  EXPECT_EQ(ini.ReadInteger("F", "BackgroundPictureSize", -1), 0);
}

TEST(FillIniTest, SavingTwoSectionsKeepsBoth) {
  TempDir dir;
  const std::string file = dir.File("theme.ini");
  TSmoothFill a, b;
  a.SetColor(1);
  b.SetColor(2);
  a.SaveToFile(file, "A");
  b.SaveToFile(file, "B");
  const IniFile ini(file);
  EXPECT_EQ(ini.ReadInteger("A", "Color", 0), 1);
  EXPECT_EQ(ini.ReadInteger("B", "Color", 0), 2);
}

TEST(FillIniTest, AnUnwritableFileRaisesUnableToWrite) {
  TempDir dir;
  WriteText(dir.File("plain-file"), "x");
  const std::string file = dir.File("plain-file") + "/fills.ini";  // below a regular file
  TSmoothFill fill;
  try {
    fill.SaveToFile(file, "F");
    FAIL() << "no error";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
  }
}

// ---- Round trip --------------------------------------------------------------------------

TEST(FillIniTest, RoundTripRestoresEveryPropertyAndBothPictures) {
  TempDir dir;
  const std::string file = dir.File("fills.ini");
  TSmoothFill saved;
  MakeDistinct(saved);
  saved.SaveToFile(file, "Fill");

  TSmoothFill loaded;
  int changes = 0;
  loaded.OnChange = [&](TSmoothFill&) { ++changes; };
  loaded.LoadFromFile(file, "Fill");
  EXPECT_EQ(SaveObject(loaded), SaveObject(saved));
  EXPECT_EQ(loaded.Picture().Data(), saved.Picture().Data());
  EXPECT_EQ(loaded.BackGroundPicture().Data(), saved.BackGroundPicture().Data());
  EXPECT_EQ(loaded.Picture().GetWidth(), 4);
  // One from each picture's load, one at the end; the integer keys are stored silently.
  EXPECT_EQ(changes, 3);
}

TEST(FillIniTest, SectionWithoutPicturesLeavesThePicturesAsTheyWere) {
  TempDir dir;
  const std::string file = dir.File("fills.ini");
  TSmoothFill plain;
  plain.SaveToFile(file, "Fill");
  TSmoothFill fill;
  LoadBlue(fill.Picture());
  LoadGreen(fill.BackGroundPicture());
  const auto picture = fill.Picture().Data();
  fill.LoadFromFile(file, "Fill");
  EXPECT_EQ(fill.Picture().Data(), picture);
  EXPECT_FALSE(fill.BackGroundPicture().Empty());
}

TEST(FillIniTest, LowerCaseHexLoadsTheSameBytes) {
  TempDir dir;
  const std::string file = dir.File("fills.ini");
  WriteText(file, "[F]\nPicture=89504e\nPictureSize=6\n");
  TSmoothFill fill;
  fill.LoadFromFile(file, "F");
  EXPECT_EQ(fill.Picture().Data(), Bytes({0x89, 0x50, 0x4E}));
  EXPECT_FALSE(fill.Picture().Empty());
}

TEST(FillIniTest, OnlyAsManyCharactersAsTheRecordedLengthAreRead) {
  TempDir dir;
  const std::string file = dir.File("fills.ini");
  WriteText(file, "[F]\nPicture=89504E470D\nPictureSize=4\nBackgroundPicture=0102\n");
  TSmoothFill fill;
  fill.LoadFromFile(file, "F");
  EXPECT_EQ(fill.Picture().Data(), Bytes({0x89, 0x50}));
  EXPECT_TRUE(fill.BackGroundPicture().Empty()) << "no length, no picture";
}

TEST(FillIniTest, OnlyColorKeyLoadsRedAndKeepsEverythingElse) {
  TempDir dir;
  const std::string file = dir.File("fills.ini");
  WriteText(file, "[F]\nColor=255\n");
  TSmoothFill fill;
  MakeDistinct(fill);
  const std::string before = SaveObject(fill);
  fill.LoadFromFile(file, "F");
  EXPECT_EQ(fill.Color(), clRed);
  fill.SetColor(clBtnFace);
  EXPECT_EQ(SaveObject(fill), before);
}

TEST(FillIniTest, MissingFileOrSectionKeepsTheFillAndAnnouncesOnce) {
  TempDir dir;
  WriteText(dir.File("other.ini"), "[Other]\nColor=1\n");
  for (const std::string& file : {dir.File("missing.ini"), dir.File("other.ini")}) {
    TSmoothFill fill;
    MakeDistinct(fill);
    const std::string before = SaveObject(fill);
    int changes = 0;
    fill.OnChange = [&](TSmoothFill&) { ++changes; };
    fill.LoadFromFile(file, "F");
    EXPECT_EQ(SaveObject(fill), before);
    EXPECT_EQ(changes, 1);
  }
}

TEST(FillIniTest, ByteSizedPropertiesKeepTheLowByteAndBadNumbersFallBack) {
  TempDir dir;
  const std::string file = dir.File("fills.ini");
  WriteText(file,
            "[F]\nOpacity=300\nRoundingType=258\nGlow=-1\nGradientType=12\nColor=red\n"
            "Rounding= 7 \nAngle=4294967296\nBorderWidth=+3\n");
  TSmoothFill fill;
  fill.LoadFromFile(file, "F");
  EXPECT_EQ(fill.Opacity(), 44);
  EXPECT_EQ(fill.RoundingType(), 2);
  EXPECT_EQ(fill.Glow(), 255);
  EXPECT_EQ(fill.GradientType(), 12);  // 32-bit, kept whole
  EXPECT_EQ(fill.Color(), clSilver);   // not a number
  EXPECT_EQ(fill.Rounding(), 7);
  EXPECT_EQ(fill.Angle(), 0);  // beyond 32 bits
  EXPECT_EQ(fill.BorderWidth(), 3);
}

TEST(FillIniTest, MalformedPictureTextStopsTheLoadWithoutAnnouncing) {
  TempDir dir;
  const std::string file = dir.File("fills.ini");
  WriteText(file,
            "[F]\nColor=255\nPicture=89ZZ\nPictureSize=4\n"
            "BackgroundPicture=0102\nBackgroundPictureSize=4\n");
  TSmoothFill fill;
  int changes = 0;
  fill.OnChange = [&](TSmoothFill&) { ++changes; };
  try {
    fill.LoadFromFile(file, "F");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "No Hex-Number");
  }
  EXPECT_EQ(fill.Color(), clRed);  // read before the fault
  EXPECT_TRUE(fill.Picture().Empty());
  EXPECT_TRUE(fill.BackGroundPicture().Empty());
  EXPECT_EQ(changes, 0);
}

TEST(FillIniTest, PictureSizePropertyHasItsOwnKeyAndSurvivesARoundTrip) {
  TempDir dir;
  const std::string file = dir.File("fills.ini");
  TSmoothFill saved;
  saved.SetPictureSize(psCustom);
  LoadBytes(saved.Picture(), Bytes({1, 2, 3}));
  saved.SaveToFile(file, "F");
  TSmoothFill loaded;
  loaded.LoadFromFile(file, "F");
  EXPECT_EQ(loaded.PictureSize(), psCustom);
  EXPECT_EQ(loaded.Picture().Data(), Bytes({1, 2, 3}));
}

// ---- The INI layer -----------------------------------------------------------------------

TEST(IniFileTest, NamesMatchWithoutRegardToCaseAndValuesAreTrimmed) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteText(file, "; comment\n[Fill]\r\n  Color = 12 \r\nText=\"quoted\"\n[other]\nColor=3\n");
  const IniFile ini(file);
  EXPECT_EQ(ini.ReadInteger("fill", "COLOR", 0), 12);
  EXPECT_EQ(ini.ReadString("Fill", "Text", ""), "quoted");
  EXPECT_EQ(ini.ReadInteger("Other", "Color", 0), 3);
  EXPECT_EQ(ini.ReadString("Fill", "Missing", "fallback"), "fallback");
  EXPECT_EQ(ini.ReadInteger("Nope", "Color", -7), -7);
}

TEST(IniFileTest, WritingReplacesOrAddsKeysAndKeepsOtherLines) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteText(file, "; keep me\n[A]\nx=1\n\n[B]\ny=2\n");
  IniFile ini(file);
  ini.WriteInteger("a", "X", 5);
  ini.WriteString("A", "z", "new");
  ini.WriteString("C", "w", "w");
  EXPECT_EQ(ReadText(file), "; keep me\n[A]\nX=5\nz=new\n\n[B]\ny=2\n[C]\nw=w\n");
}

}  // namespace
}  // namespace tavrin
