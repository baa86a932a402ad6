#pragma once
// Value types, status codes and enumerations shared by every drawing wrapper.
//
// Enumerations keep the 2-D library's names and numeric values because the widgets store them
// as 32-bit numbers (fill storage, form data), so a renumbering would change stored files.

#include <cstdint>

namespace tavrin {

// ---- Geometry ---------------------------------------------------------------------------

struct TGPPointF {
  float X = 0;
  float Y = 0;
  friend bool operator==(const TGPPointF&, const TGPPointF&) = default;
};

struct TGPPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TGPPoint&, const TGPPoint&) = default;
};

struct TGPRectF {
  float X = 0;
  float Y = 0;
  float Width = 0;
  float Height = 0;
  friend bool operator==(const TGPRectF&, const TGPRectF&) = default;
};

struct TGPRect {
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  friend bool operator==(const TGPRect&, const TGPRect&) = default;
};

// Rectangle by edges; Right and Bottom are exclusive.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TGPPointF MakePoint(float x, float y) { return {x, y}; }
inline TGPPoint MakePoint(int32_t x, int32_t y) { return {x, y}; }
inline TGPRectF MakeRect(float x, float y, float width, float height) {
  return {x, y, width, height};
}
inline TGPRect MakeRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  return {x, y, width, height};
}
inline TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {left, top, right, bottom};
}

// ---- Colour -----------------------------------------------------------------------------

// Library colour, 0xAARRGGBB, straight (not premultiplied) alpha.
using ARGB = uint32_t;

// ---- Status -----------------------------------------------------------------------------

enum Status : int32_t {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20,
};

// ---- Library enumerations ---------------------------------------------------------------

enum FillMode : int32_t { FillModeAlternate = 0, FillModeWinding = 1 };

enum Unit_ : int32_t {
  UnitWorld = 0,
  UnitDisplay = 1,
  UnitPixel = 2,
  UnitPoint = 3,
  UnitInch = 4,
  UnitDocument = 5,
  UnitMillimeter = 6,
};

// Smoothing modes are plain integers at the interface; these name the values.
enum : int32_t {
  SmoothingModeInvalid = -1,
  SmoothingModeDefault = 0,
  SmoothingModeHighSpeed = 1,
  SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4,
  SmoothingModeAntiAlias8x8 = 5,
};

enum HatchStyle : int32_t {
  HatchStyleHorizontal = 0,
  HatchStyleVertical = 1,
  HatchStyleForwardDiagonal = 2,
  HatchStyleBackwardDiagonal = 3,
  HatchStyleCross = 4,
  HatchStyleLargeGrid = 4,
  HatchStyleDiagonalCross = 5,
  HatchStyle05Percent = 6,
  HatchStyle10Percent = 7,
  HatchStyle20Percent = 8,
  HatchStyle25Percent = 9,
  HatchStyle30Percent = 10,
  HatchStyle40Percent = 11,
  HatchStyle50Percent = 12,
  HatchStyle60Percent = 13,
  HatchStyle70Percent = 14,
  HatchStyle75Percent = 15,
  HatchStyle80Percent = 16,
  HatchStyle90Percent = 17,
  HatchStyleLightDownwardDiagonal = 18,
  HatchStyleLightUpwardDiagonal = 19,
  HatchStyleDarkDownwardDiagonal = 20,
  HatchStyleDarkUpwardDiagonal = 21,
  HatchStyleWideDownwardDiagonal = 22,
  HatchStyleWideUpwardDiagonal = 23,
  HatchStyleLightVertical = 24,
  HatchStyleLightHorizontal = 25,
  HatchStyleNarrowVertical = 26,
  HatchStyleNarrowHorizontal = 27,
  HatchStyleDarkVertical = 28,
  HatchStyleDarkHorizontal = 29,
  HatchStyleDashedDownwardDiagonal = 30,
  HatchStyleDashedUpwardDiagonal = 31,
  HatchStyleDashedHorizontal = 32,
  HatchStyleDashedVertical = 33,
  HatchStyleSmallConfetti = 34,
  HatchStyleLargeConfetti = 35,
  HatchStyleZigZag = 36,
  HatchStyleWave = 37,
  HatchStyleDiagonalBrick = 38,
  HatchStyleHorizontalBrick = 39,
  HatchStyleWeave = 40,
  HatchStylePlaid = 41,
  HatchStyleDivot = 42,
  HatchStyleDottedGrid = 43,
  HatchStyleDottedDiamond = 44,
  HatchStyleShingle = 45,
  HatchStyleTrellis = 46,
  HatchStyleSphere = 47,
  HatchStyleSmallGrid = 48,
  HatchStyleSmallCheckerBoard = 49,
  HatchStyleLargeCheckerBoard = 50,
  HatchStyleOutlinedDiamond = 51,
  HatchStyleSolidDiamond = 52,
  HatchStyleTotal = 53,
  HatchStyleMin = HatchStyleHorizontal,
  HatchStyleMax = HatchStyleSolidDiamond,
};

enum DashStyle : int32_t {
  DashStyleSolid = 0,
  DashStyleDash = 1,
  DashStyleDot = 2,
  DashStyleDashDot = 3,
  DashStyleDashDotDot = 4,
  DashStyleCustom = 5,
};

enum WrapMode : int32_t {
  WrapModeTile = 0,
  WrapModeTileFlipX = 1,
  WrapModeTileFlipY = 2,
  WrapModeTileFlipXY = 3,
  WrapModeClamp = 4,
};

enum LinearGradientMode : int32_t {
  LinearGradientModeHorizontal = 0,
  LinearGradientModeVertical = 1,
  LinearGradientModeForwardDiagonal = 2,
  LinearGradientModeBackwardDiagonal = 3,
};

enum CombineMode : int32_t {
  CombineModeReplace = 0,
  CombineModeIntersect = 1,
  CombineModeUnion = 2,
  CombineModeXor = 3,
  CombineModeExclude = 4,
  CombineModeComplement = 5,
};

enum MatrixOrder : int32_t { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };

enum TextRenderingHint : int32_t {
  TextRenderingHintSystemDefault = 0,
  TextRenderingHintSingleBitPerPixelGridFit = 1,
  TextRenderingHintSingleBitPerPixel = 2,
  TextRenderingHintAntiAliasGridFit = 3,
  TextRenderingHintAntiAlias = 4,
  TextRenderingHintClearTypeGridFit = 5,
};

enum StringAlignment : int32_t {
  StringAlignmentNear = 0,
  StringAlignmentCenter = 1,
  StringAlignmentFar = 2,
};

enum StringTrimming : int32_t {
  StringTrimmingNone = 0,
  StringTrimmingCharacter = 1,
  StringTrimmingWord = 2,
  StringTrimmingEllipsisCharacter = 3,
  StringTrimmingEllipsisWord = 4,
  StringTrimmingEllipsisPath = 5,
};

enum : int32_t {
  StringFormatFlagsDirectionRightToLeft = 0x0001,
  StringFormatFlagsDirectionVertical = 0x0002,
  StringFormatFlagsNoFitBlackBox = 0x0004,
  StringFormatFlagsDisplayFormatControl = 0x0020,
  StringFormatFlagsNoFontFallback = 0x0400,
  StringFormatFlagsMeasureTrailingSpaces = 0x0800,
  StringFormatFlagsNoWrap = 0x1000,
  StringFormatFlagsLineLimit = 0x2000,
  StringFormatFlagsNoClip = 0x4000,
};

enum HotkeyPrefix : int32_t {
  HotkeyPrefixNone = 0,
  HotkeyPrefixShow = 1,
  HotkeyPrefixHide = 2,
};

enum FontStyle : int32_t {
  FontStyleRegular = 0,
  FontStyleBold = 1,
  FontStyleItalic = 2,
  FontStyleBoldItalic = 3,
  FontStyleUnderline = 4,
  FontStyleStrikeout = 8,
};

enum FlushIntention : int32_t { FlushIntentionFlush = 0, FlushIntentionSync = 1 };

enum ColorAdjustType : int32_t {
  ColorAdjustTypeDefault = 0,
  ColorAdjustTypeBitmap = 1,
  ColorAdjustTypeBrush = 2,
  ColorAdjustTypePen = 3,
  ColorAdjustTypeText = 4,
  ColorAdjustTypeCount = 5,
  ColorAdjustTypeAny = 6,
};

enum BrushType : int32_t {
  BrushTypeSolidColor = 0,
  BrushTypeHatchFill = 1,
  BrushTypeTextureFill = 2,
  BrushTypePathGradient = 3,
  BrushTypeLinearGradient = 4,
};

// Point types of a path, as the path stores them (GetPathTypes).
enum PathPointType : uint8_t {
  PathPointTypeStart = 0,
  PathPointTypeLine = 1,
  PathPointTypeBezier = 3,
  PathPointTypePathTypeMask = 0x07,
  PathPointTypeCloseSubpath = 0x80,
};

using PixelFormat = int32_t;
inline constexpr PixelFormat PixelFormatUndefined = 0;
inline constexpr PixelFormat PixelFormat1bppIndexed = 0x30101;
inline constexpr PixelFormat PixelFormat4bppIndexed = 0x30402;
inline constexpr PixelFormat PixelFormat8bppIndexed = 0x30803;
inline constexpr PixelFormat PixelFormat24bppRGB = 0x21808;
inline constexpr PixelFormat PixelFormat32bppRGB = 0x22009;
inline constexpr PixelFormat PixelFormat32bppARGB = 0x26200A;
inline constexpr PixelFormat PixelFormat32bppPARGB = 0xE200B;

// Container format of a decoded image.
enum TGPImageFormat : int32_t {
  ifUndefined = 0,
  ifMemoryBMP = 1,
  ifBMP = 2,
  ifEMF = 3,
  ifWMF = 4,
  ifJPEG = 5,
  ifPNG = 6,
  ifGIF = 7,
  ifTIFF = 8,
  ifEXIF = 9,
  ifIcon = 10,
};

// ---- Widget enumerations shared by fills and captions -----------------------------------

enum TGradientType : int32_t {
  gtSolid = 0,
  gtRadial = 1,
  gtVertical = 2,
  gtHorizontal = 3,
  gtForwardDiagonal = 4,
  gtBackwardDiagonal = 5,
  gtAngle = 6,
  gtHatch = 7,
  gtPath = 8,
  gtTexture = 9,
  gtNone = 10,
};

}  // namespace tavrin
