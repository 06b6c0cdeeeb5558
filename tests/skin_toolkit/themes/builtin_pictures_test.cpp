// The built-in pictures: every name at its size, strips cut into distinct
// frames, state shades, key pixels, magenta only where things show through,
// caption contrast on the title pictures, and the program's icon.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtGlobal>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

const QRgb kMagenta = qRgb(255, 0, 255);
const char *const kPrefixes[] = {"MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};

struct Size {
  int w;
  int h;
};

// Every picture with its size: the table's in the order MacOS, WinXP,
// DeepBlue, Protein, BlueGlass, then the ones loaded by name.
std::map<std::string, Size> expectedSizes() {
  struct Row {
    const char *suffix;
    Size sizes[5];
  };
  const Row rows[] = {
      {"BUTTON", {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}},
      {"CHECKBOX", {{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
      {"RADIOBUTTON", {{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
      {"TITLEBTN", {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}},
      {"TITLE_LEFT", {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}},
      {"TITLE_CLIENT", {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}},
      {"TITLE_RIGHT", {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}},
      {"PROGRESSBAR", {{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}},
      {"TRACKBAR_BAR", {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}},
      {"TRACKBAR_SLIDER", {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}},
      {"TRACKBAR_SLIDER_V", {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}},
      {"SCROLLBAR_BUTTON", {{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}},
      {"SCROLLBAR_TRACK", {{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}},
      {"CHECKLIST", {{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}},
      {"TAB", {{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}},
      {"TAB_LINE", {{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}},
      {"SIDECHENNEL_HANDLE", {{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}},
      {"SIDECHENNEL_BAR", {{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}},
  };
  std::map<std::string, Size> sizes;
  for (const Row &row : rows) {
    for (int s = 0; s < 5; ++s) sizes[std::string(kPrefixes[s]) + "_" + row.suffix] = row.sizes[s];
  }
  sizes["MACOS_SCROLLBUTTON"] = {72, 18};
  sizes["WINXP_SCROLLBUTTON"] = {72, 18};
  sizes["MORE_SCROLLBUTTON"] = {72, 17};
  sizes["MACOS_MENU_BAR"] = {1, 22};
  sizes["MACOS_MENU_SELECT"] = {1, 21};
  sizes["MENU_CHECKED"] = {16, 16};
  sizes["PANEL_BUTTON"] = {52, 12};
  sizes["DBNAV_BUTTON"] = {160, 16};
  sizes["MACOS_FORM_BACKGROUND"] = {8, 8};
  sizes["PROTEIN_FORM_BACKGROUND"] = {8, 8};
  sizes["MDI_CONTROL_BUTTON"] = {48, 16};
  sizes["MACOS_COMBOBOX_BUTTON"] = {16, 17};
  sizes["WINXP_COMBOBOX_BUTTON"] = {16, 18};
  sizes["MAINICON"] = {32, 32};
  return sizes;
}

int framesOf(const std::string &name) { return BuiltInBitmapLayout(name).value_or(BitmapLayout{}).frames; }

QImage frameOf(const std::string &name, int k) {
  return ExtractBitmapFrame(BuiltInBitmap(name.c_str()), framesOf(name), k);
}

// WCAG relative luminance and contrast.
double channel(int v) {
  const double c = v / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double luminance(const QColor &c) {
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
double contrast(const QColor &a, const QColor &b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor meanColor(const QImage &picture) {
  double r = 0, g = 0, b = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QColor c = picture.pixelColor(x, y);
      r += c.red();
      g += c.green();
      b += c.blue();
    }
  }
  const double n = static_cast<double>(picture.width()) * picture.height();
  return QColor(static_cast<int>(std::lround(r / n)), static_cast<int>(std::lround(g / n)),
                static_cast<int>(std::lround(b / n)));
}

// Mean lightness of a frame, leaving out what shows through (magenta) and
// what every frame shares at its corners.
double meanLightness(const QImage &frame) {
  const QRgb corner = frame.pixel(0, frame.height() - 1);
  double sum = 0;
  int n = 0;
  for (int y = 0; y < frame.height(); ++y) {
    for (int x = 0; x < frame.width(); ++x) {
      const QRgb p = frame.pixel(x, y);
      if (p == kMagenta || p == corner) continue;
      sum += luminance(QColor(p));
      ++n;
    }
  }
  return n > 0 ? sum / n : 0;
}

bool holds(const QImage &picture, QRgb color) {
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixel(x, y) == color) return true;
    }
  }
  return false;
}

int inkedPixels(const QImage &frame, QRgb key) {
  int n = 0;
  for (int y = 0; y < frame.height(); ++y) {
    for (int x = 0; x < frame.width(); ++x) n += frame.pixel(x, y) != key ? 1 : 0;
  }
  return n;
}

QRgb centreOf(const QImage &frame) { return frame.pixel(frame.width() / 2, frame.height() / 2); }

std::vector<std::string> tableNames(const char *suffix) {
  std::vector<std::string> names;
  for (const char *prefix : kPrefixes) names.push_back(std::string(prefix) + "_" + suffix);
  return names;
}

class PicturesTest : public testsupport::UiTest {};

TEST_F(PicturesTest, EveryNameIsDrawnAtItsSize) {
  const std::map<std::string, Size> sizes = expectedSizes();
  std::set<std::string> known;
  for (const std::string &name : BuiltInBitmapNames()) known.insert(name);
  std::set<std::string> typed;
  for (const auto &[name, size] : sizes) typed.insert(name);
  EXPECT_EQ(known, typed);

  for (const auto &[name, size] : sizes) {
    const QImage picture = BuiltInBitmap(name.c_str());
    ASSERT_FALSE(picture.isNull()) << name;
    EXPECT_EQ(picture.size(), QSize(size.w, size.h)) << name;
    const QImage::Format format = name == "MDI_CONTROL_BUTTON" ? QImage::Format_Mono : QImage::Format_RGB32;
    EXPECT_EQ(picture.format(), format) << name;
  }
}

TEST_F(PicturesTest, StripsAreCutIntoEqualFramesThatDifferFromTheirNeighbours) {
  const std::map<std::string, int> titleFrameWidths{
      {"MACOS_TITLEBTN", 17}, {"WINXP_TITLEBTN", 21}, {"DEEPBLUE_TITLEBTN", 19},
      {"PROTEIN_TITLEBTN", 19}, {"BLUEGLASS_TITLEBTN", 19}};
  int strips = 0;
  for (const std::string &name : BuiltInBitmapNames()) {
    const int frames = framesOf(name);
    if (frames <= 1) continue;
    ++strips;
    const QImage first = frameOf(name, 1);
    ASSERT_FALSE(first.isNull()) << name;
    EXPECT_EQ(BuiltInBitmap(name.c_str()).width(), frames * first.width()) << name;
    if (const auto title = titleFrameWidths.find(name); title != titleFrameWidths.end()) {
      EXPECT_EQ(first.width(), title->second) << name;
    }
    for (int k = 1; k < frames; ++k) EXPECT_NE(frameOf(name, k), frameOf(name, k + 1)) << name << " frame " << k;
  }
  // Nine strips in five looks (three share their scroll buttons), three by name.
  EXPECT_EQ(strips, 9 * 5 - 2 + 3);
}

TEST_F(PicturesTest, OverIsLighterAndPressedDarkerWithinAStrip) {
  struct Case {
    std::vector<std::string> names;
    std::vector<std::vector<int>> runs;  // frames from normal to over (to pressed)
  };
  std::vector<std::vector<int>> titleRuns;
  for (int b = 0; b < 6; ++b) titleRuns.push_back({3 * b + 1, 3 * b + 2, 3 * b + 3});
  const Case cases[] = {
      {tableNames("BUTTON"), {{1, 2, 3}}},
      {tableNames("TITLEBTN"), titleRuns},
      {tableNames("SCROLLBAR_BUTTON"), {{1, 2, 3}, {4, 5, 6}}},
      {{"MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "PANEL_BUTTON"}, {{1, 2}, {3, 4}}},
  };
  for (const Case &c : cases) {
    for (const std::string &name : c.names) {
      for (const std::vector<int> &run : c.runs) {
        const double normal = meanLightness(frameOf(name, run[0]));
        EXPECT_GT(meanLightness(frameOf(name, run[1])), normal) << name << " frame " << run[1];
        if (run.size() > 2) {
          EXPECT_LT(meanLightness(frameOf(name, run[2])), normal) << name << " frame " << run[2];
        }
      }
    }
  }
}

TEST_F(PicturesTest, KeyedCornersShowTheBackgroundInEveryFrame) {
  std::vector<std::string> bottomLeft{"PROTEIN_TITLEBTN", "BLUEGLASS_TITLEBTN", "MDI_CONTROL_BUTTON"};
  for (const char *suffix : {"RADIOBUTTON", "TRACKBAR_SLIDER", "TRACKBAR_SLIDER_V"}) {
    for (const std::string &name : tableNames(suffix)) bottomLeft.push_back(name);
  }
  for (const std::string &name : bottomLeft) {
    const QRgb key = frameOf(name, 1).pixel(0, frameOf(name, 1).height() - 1);
    for (int k = 1; k <= std::max(framesOf(name), 1); ++k) {
      const QImage frame = framesOf(name) > 1 ? frameOf(name, k) : BuiltInBitmap(name.c_str());
      EXPECT_EQ(frame.pixel(0, frame.height() - 1), key) << name << " frame " << k;
      EXPECT_GE(inkedPixels(frame, key), 12) << name << " frame " << k;
      // A face (not a bare glyph) must not show through in its middle.
      if (name != "MDI_CONTROL_BUTTON") {
        EXPECT_NE(centreOf(frame), key) << name << " frame " << k;
      }
    }
  }

  // The navigator's glyphs key on their top-left pixel.
  const QRgb navKey = frameOf("DBNAV_BUTTON", 1).pixel(0, 0);
  for (int k = 1; k <= 10; ++k) {
    const QImage glyph = frameOf("DBNAV_BUTTON", k);
    EXPECT_EQ(glyph.pixel(0, 0), navKey) << k;
    EXPECT_GE(inkedPixels(glyph, navKey), 12) << "glyph " << k;
  }

  // Magenta round the rounded buttons, the groove's caps and the tab
  // strip's scroll buttons, never inside them.
  for (const std::string name :
       {"MACOS_BUTTON", "BLUEGLASS_BUTTON", "MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON"}) {
    for (int k = 1; k <= framesOf(name); ++k) {
      const QImage frame = frameOf(name, k);
      EXPECT_EQ(frame.pixel(0, 0), kMagenta) << name << " frame " << k;
      EXPECT_EQ(frame.pixel(frame.width() - 1, frame.height() - 1), kMagenta) << name << " frame " << k;
      EXPECT_NE(centreOf(frame), kMagenta) << name << " frame " << k;
    }
  }
  for (const std::string &name : tableNames("TRACKBAR_BAR")) {
    const QImage start = frameOf(name, 1);
    const QImage end = frameOf(name, 3);
    EXPECT_EQ(start.pixel(0, 0), kMagenta) << name;
    EXPECT_EQ(end.pixel(end.width() - 1, end.height() - 1), kMagenta) << name;
    EXPECT_FALSE(holds(frameOf(name, 2), kMagenta)) << name << " middle";
  }
}

TEST_F(PicturesTest, OnlyWhatShowsThroughIsMagenta) {
  const std::set<std::string> seeThrough{"MACOS_BUTTON",       "BLUEGLASS_BUTTON",  "MACOS_SCROLLBUTTON",
                                         "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MACOS_TRACKBAR_BAR",
                                         "WINXP_TRACKBAR_BAR", "DEEPBLUE_TRACKBAR_BAR", "PROTEIN_TRACKBAR_BAR",
                                         "BLUEGLASS_TRACKBAR_BAR"};
  for (const std::string &name : BuiltInBitmapNames()) {
    if (seeThrough.count(name) != 0) continue;
    EXPECT_FALSE(holds(BuiltInBitmap(name.c_str()).convertToFormat(QImage::Format_RGB32), kMagenta)) << name;
  }
}

TEST_F(PicturesTest, MenuCheckMarkIsBlackOnWhite) {
  const QImage mark = BuiltInBitmap("MENU_CHECKED");
  int black = 0;
  for (int y = 0; y < mark.height(); ++y) {
    for (int x = 0; x < mark.width(); ++x) {
      const QRgb p = mark.pixel(x, y);
      ASSERT_TRUE(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255)) << x << "," << y;
      black += p == qRgb(0, 0, 0) ? 1 : 0;
    }
  }
  EXPECT_GE(black, 10);
  EXPECT_EQ(mark.pixel(0, 0), qRgb(255, 255, 255));  // the mask colour at the corners
  EXPECT_EQ(mark.pixel(15, 15), qRgb(255, 255, 255));
}

TEST_F(PicturesTest, CaptionsStandOutOnTheTitlePictures) {
  for (int s = 0; s < 5; ++s) {
    const std::string prefix = kPrefixes[s];
    const QImage left = BuiltInBitmap((prefix + "_TITLE_LEFT").c_str());
    const QImage client = BuiltInBitmap((prefix + "_TITLE_CLIENT").c_str());
    const QImage right = BuiltInBitmap((prefix + "_TITLE_RIGHT").c_str());
    if (prefix == "MACOS") {
      // A light title under a black caption.
      EXPECT_GT(luminance(meanColor(client)), 0.5);
      EXPECT_GE(contrast(Qt::black, meanColor(client)), 4.5);
    } else {
      EXPECT_GE(contrast(Qt::white, meanColor(client)), 4.5) << prefix;
      EXPECT_GE(contrast(Qt::white, meanColor(left)), 4.5) << prefix << " left";
    }
    // The stretched middle joins both ends without a seam.
    for (int y = 0; y < client.height(); ++y) {
      EXPECT_EQ(left.pixel(left.width() - 1, y), client.pixel(0, y)) << prefix << " row " << y;
      EXPECT_EQ(right.pixel(0, y), client.pixel(client.width() - 1, y)) << prefix << " row " << y;
    }
  }
}

TEST_F(PicturesTest, OpaqueTitleButtonsShowNoEdgeAgainstTheTitle) {
  for (S look : {S::MacOS, S::WinXP, S::DeepBlue}) {
    const std::string prefix = kPrefixes[static_cast<int>(look) - 1];
    const QImage client = BuiltInBitmap((prefix + "_TITLE_CLIENT").c_str());
    const QImage strip = BuiltInBitmap((prefix + "_TITLEBTN").c_str());
    const int top = GetBuiltInThemeInt(look, tiTitleBarButtonTopInt);
    ASSERT_LE(top + strip.height(), client.height()) << prefix;
    for (int k = 1; k <= 18; ++k) {
      const QImage frame = ExtractBitmapFrame(strip, 18, k);
      for (int y = 0; y < frame.height(); ++y) {
        EXPECT_EQ(frame.pixel(0, y), client.pixel(0, y + top)) << prefix << " frame " << k << " row " << y;
      }
    }
  }
}

TEST_F(PicturesTest, UnknownNamesGiveNothingAndOneWarningEach) {
  static int warnings = 0;
  warnings = 0;
  const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &) {
    if (type == QtWarningMsg) ++warnings;
  });
  EXPECT_TRUE(BuiltInBitmap("NO_SUCH_PICTURE").isNull());
  EXPECT_TRUE(BuiltInBitmap("NO_SUCH_PICTURE").isNull());
  EXPECT_EQ(warnings, 1);
  EXPECT_TRUE(BuiltInBitmap("macos_button").isNull());  // names keep their case
  EXPECT_EQ(warnings, 2);
  EXPECT_TRUE(BuiltInBitmap(nullptr).isNull());
  qInstallMessageHandler(previous);
}

TEST_F(PicturesTest, ThemeImagesAreWholeOrOneFrameOfTheNamedPicture) {
  const QImage strip = BuiltInBitmap("WINXP_TITLEBTN");
  QImage target;
  GetBuiltInThemeImage(S::WinXP, tiTitleBarButtonImage, target, 16, 18);
  EXPECT_EQ(target, strip.copy(15 * 21, 0, 21, 21));
  GetBuiltInThemeImage(S::WinXP, tiTitleBarButtonImage, target, 0, 0);
  EXPECT_EQ(target, strip);
  GetBuiltInThemeImage(S::Protein, tiScrollButtonImage, target, 0, 0);
  EXPECT_EQ(target, BuiltInBitmap("MORE_SCROLLBUTTON"));

  // No picture: the target stays as it was.
  const QImage kept = BuiltInBitmap("MENU_CHECKED");
  target = kept;
  GetBuiltInThemeImage(S::FromThemeFile, tiButtonImage, target, 0, 0);
  EXPECT_EQ(target, kept);
  GetBuiltInThemeImage(S::MacOS, tiFormBorderColor, target, 0, 0);
  EXPECT_EQ(target, kept);
}

TEST_F(PicturesTest, PicturesForDirectDrawingLeaveTheirKeyTransparent) {
  const QImage bar = BuiltInThemePicture(S::DeepBlue, tiTrackBarBarImage).toImage();
  EXPECT_EQ(qAlpha(bar.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(bar.pixel(22, 2)), 255);
  const QImage radio = BuiltInThemePicture(S::WinXP, tiRadioButtonImage).toImage();
  EXPECT_EQ(qAlpha(radio.pixel(0, radio.height() - 1)), 0);
  EXPECT_EQ(qAlpha(radio.pixel(6, 6)), 255);
  const QImage button = BuiltInThemePicture(S::DeepBlue, tiButtonImage).toImage();
  EXPECT_EQ(qAlpha(button.pixel(0, 0)), 255);  // an opaque face stays opaque
  EXPECT_EQ(BuiltInThemePicture(S::FromThemeFile, tiButtonImage).toImage(),
            BuiltInThemePicture(S::DeepBlue, tiButtonImage).toImage());
  EXPECT_TRUE(BuiltInThemePicture(S::MacOS, tiFormBorderColor).isNull());
  EXPECT_EQ(PanelButtonPicture().toImage().convertToFormat(QImage::Format_RGB32), BuiltInBitmap("PANEL_BUTTON"));
}

TEST_F(PicturesTest, TheIconComesAtBothSizes) {
  EXPECT_EQ(MainIconPicture(32), BuiltInBitmap("MAINICON"));
  EXPECT_EQ(MainIconPicture(16).size(), QSize(16, 16));
  EXPECT_EQ(MainIconPicture(16).format(), QImage::Format_RGB32);
  EXPECT_TRUE(MainIconPicture(24).isNull());
  const QList<QSize> sizes = BuiltInMainIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}

TEST_F(PicturesTest, DrawingAfreshGivesTheSamePictures) {
  std::map<std::string, QImage> before;
  for (const std::string &name : BuiltInBitmapNames()) before[name] = BuiltInBitmap(name.c_str());
  const QImage smallIcon = MainIconPicture(16);
  detail::ClearBuiltInBitmapCache();
  for (const auto &[name, picture] : before) {
    const QImage again = BuiltInBitmap(name.c_str());
    EXPECT_NE(again.cacheKey(), picture.cacheKey()) << name << " was not drawn again";
    EXPECT_EQ(again, picture) << name;
  }
  EXPECT_EQ(MainIconPicture(16), smallIcon);
}

}  // namespace
}  // namespace kwo
