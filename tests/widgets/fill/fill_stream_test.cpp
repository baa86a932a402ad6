// The fill's property stream: what the clipboard form carries.

#include "widgets/fill/fill_stream.h"

#include <gtest/gtest.h>

#include "fill_test_support.h"
#include "widgets/fill/fill.h"
#include "widgets/fill/fill_errors.h"

namespace tavrin {
namespace {

using testing::LoadBlue;

TEST(FillStreamTest, ANewFillStoresOnlyThePropertiesThatAreAlwaysStored) {
  const TSmoothFill fill;
  EXPECT_EQ(SaveObject(fill),
            "object TSaver\n"
            "  SaveObject.ColorMirror = 536870911\n"
            "  SaveObject.ColorMirrorTo = 536870911\n"
            "  SaveObject.BorderColor = 536870911\n"
            "  SaveObject.Rounding = 0\n"
            "  SaveObject.ShadowOffset = 0\n"
            "  SaveObject.Glow = gmNone\n"
            "end\n");
}

TEST(FillStreamTest, ChangedPropertiesAppearWithTheirNamesInStoredOrder) {
  TSmoothFill fill;
  fill.SetColor(clBtnFace);
  fill.SetGradientMirrorType(gtVertical);
  fill.SetHatchStyle(HatchStyleSolidDiamond);
  fill.SetPictureSize(psCustom);
  fill.SetOpacity(0);
  fill.SetRoundingType(rtLeft);
  LoadBlue(fill.Picture());
  const std::string stream = SaveObject(fill);
  const auto at = [&](const char* text) { return stream.find(text); };
  EXPECT_NE(at("  SaveObject.Color = -16777201\n"), std::string::npos);
  EXPECT_NE(at("  SaveObject.GradientMirrorType = gtVertical\n"), std::string::npos);
  EXPECT_NE(at("  SaveObject.HatchStyle = HatchStyleSolidDiamond\n"), std::string::npos);
  EXPECT_NE(at("  SaveObject.PictureSize = psCustom\n"), std::string::npos);
  EXPECT_NE(at("  SaveObject.Opacity = 0\n"), std::string::npos);
  EXPECT_NE(at("  SaveObject.RoundingType = rtLeft\n"), std::string::npos);
  EXPECT_NE(at("  SaveObject.Picture.Data = {89504E47"), std::string::npos);
  EXPECT_EQ(at("BackGroundPicture"), std::string::npos);  // empty: not stored
  EXPECT_LT(at("SaveObject.Color ="), at("SaveObject.GradientMirrorType"));
  EXPECT_LT(at("SaveObject.Picture.Data"), at("SaveObject.PictureSize"));
}

TEST(FillStreamTest, LoadingSetsThroughSettersAndAnnouncesEachRealChange) {
  TSmoothFill target;
  int changes = 0;
  target.OnChange = [&](TSmoothFill&) { ++changes; };
  LoadObject(
      "object TSaver\n"
      "  SaveObject.Color = 255\n"
      "  SaveObject.ColorMirror = 536870911\n"  // unchanged
      "  SaveObject.GradientType = 7\n"         // a number is read too
      "  SaveObject.RoundingType = rtTop\n"
      "end\n",
      target);
  EXPECT_EQ(target.Color(), clRed);
  EXPECT_EQ(target.GradientType(), gtHatch);
  EXPECT_EQ(target.RoundingType(), rtTop);
  EXPECT_EQ(changes, 3);
}

TEST(FillStreamTest, LoadingHeldUpdatesAnnouncesNothing) {
  TSmoothFill target;
  int changes = 0;
  target.OnChange = [&](TSmoothFill&) { ++changes; };
  target.BeginUpdate();
  LoadObject("object TSaver\n  SaveObject.Color = 255\nend\n", target);
  EXPECT_EQ(changes, 0);
}

TEST(FillStreamTest, OmittedPropertiesReturnToTheirStoredUnlessValues) {
  TSmoothFill source;
  source.SetRounding(4);
  TSmoothFill target;
  target.SetColor(clRed);
  target.SetOpacity(3);
  LoadBlue(target.Picture());
  LoadObject(SaveObject(source), target);
  EXPECT_EQ(SaveObject(target), SaveObject(source));
  EXPECT_TRUE(target.Picture().Empty());
}

TEST(FillStreamTest, RoundTripCopiesPictures) {
  TSmoothFill source;
  LoadBlue(source.BackGroundPicture());
  source.SetAngle(-45);
  TSmoothFill target;
  LoadObject(SaveObject(source), target);
  EXPECT_EQ(target.BackGroundPicture().Data(), source.BackGroundPicture().Data());
  EXPECT_EQ(target.BackGroundPicture().GetWidth(), 4);
  EXPECT_EQ(target.Angle(), -45);
}

struct MalformedCase {
  const char* why;
  const char* stream;
};

class MalformedStreamTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedStreamTest, RaisesAReadErrorAfterSettingWhatCameBefore) {
  TSmoothFill target;
  EXPECT_THROW(LoadObject(GetParam().stream, target), EReadError) << GetParam().why;
  if (std::string(GetParam().stream).find("SaveObject.Color = 255") != std::string::npos) {
    EXPECT_EQ(target.Color(), clRed) << GetParam().why;
  }
  EXPECT_EQ(target.Rounding(), 0) << "nothing reset after a fault: " << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, MalformedStreamTest,
    ::testing::Values(
        MalformedCase{"empty", ""}, MalformedCase{"other holder", "object TOther\nend\n"},
        MalformedCase{"no end", "object TSaver\n  SaveObject.Color = 255\n"},
        MalformedCase{"unknown property",
                      "object TSaver\n  SaveObject.Color = 255\n  SaveObject.Bogus = 1\nend\n"},
        MalformedCase{"bad number",
                      "object TSaver\n  SaveObject.Color = 255\n"
                      "  SaveObject.Angle = 1x\nend\n"},
        MalformedCase{"bad identifier",
                      "object TSaver\n  SaveObject.Color = 255\n"
                      "  SaveObject.Glow = gmBright\nend\n"},
        MalformedCase{"bad picture",
                      "object TSaver\n  SaveObject.Color = 255\n"
                      "  SaveObject.Picture.Data = {8}9}\nend\n"},
        MalformedCase{"picture without braces",
                      "object TSaver\n  SaveObject.Picture.Data = 89\nend\n"},
        MalformedCase{"data of a number", "object TSaver\n  SaveObject.Color.Data = {00}\nend\n"},
        MalformedCase{"no holder prefix", "object TSaver\n  Color = 255\nend\n"}));

}  // namespace
}  // namespace tavrin
