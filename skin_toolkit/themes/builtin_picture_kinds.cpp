#include "skin_toolkit/themes/builtin_picture_kinds.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>

#include "skin_toolkit/themes/drawing.h"

namespace kwo::pictures {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kMagenta(255, 0, 255);

enum class State { Normal, Over, Pressed };

QColor toQColor(platform::TColor c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

// t of the way from a to b.
QColor mix(const QColor &a, const QColor &b, double t) {
  const auto at = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(at(a.red(), b.red()), at(a.green(), b.green()), at(a.blue(), b.blue()));
}

// Over is lighter and pressed darker than the normal face.
QColor tint(const QColor &c, State state) {
  switch (state) {
    case State::Over: return mix(c, kWhite, 0.35);
    case State::Pressed: return mix(c, kBlack, 0.22);
    default: return c;
  }
}

// Row y of h from top to bottom.
QColor ramp(const QColor &top, const QColor &bottom, int y, int h) {
  return h <= 1 ? top : mix(top, bottom, static_cast<double>(y) / (h - 1));
}

bool darkLook(const LookColors &c) { return c.look != TkwoUIStyle::MacOS && c.look != TkwoUIStyle::WinXP; }

// The ink of glyphs on light faces.
QColor inkOf(const LookColors &c) { return mix(c.accent, kBlack, 0.45); }

QColor faceTop(const LookColors &c) { return mix(c.face, kWhite, 0.7); }
QColor faceBottom(const LookColors &c) { return mix(c.face, c.highlight, 0.22); }

QRect frameRect(const QImage &picture, int frames, int index) {
  const int fw = picture.width() / std::max(frames, 1);
  return QRect(index * fw, 0, fw, picture.height());
}

// A square of side s centred in r.
QRect centredSquare(const QRect &r, int s) {
  return QRect(r.left() + (r.width() - s) / 2, r.top() + (r.height() - s) / 2, s, s);
}

// A rectangle whose chosen corners are quarter circles of the radius,
// filled row by row (no smoothing, so key colours stay clean).
struct RoundedShape {
  QRect rect;
  int radius = 0;
  bool left = true;   // round the left corners
  bool right = true;  // round the right corners
  bool top = true;
  bool bottom = true;

  // How far row y (absolute) is cut in at a rounded side.
  int inset(int y) const {
    const int t = y - rect.top();
    const int b = rect.bottom() - y;
    int d = rect.height();
    if (top) d = std::min(d, t);
    if (bottom) d = std::min(d, b);
    if (radius <= 0 || d >= radius) return 0;
    const double dy = radius - d - 0.5;
    const double dx = std::sqrt(std::max(0.0, double(radius) * radius - dy * dy));
    return std::max(0, static_cast<int>(std::ceil(radius - dx - 0.5)));
  }
  int x0(int y) const { return rect.left() + (left ? inset(y) : 0); }
  int x1(int y) const { return rect.right() - (right ? inset(y) : 0); }
};

// Fills the shape with body(row) and frames it in border (when valid).
template <typename Body>
void paintShape(QPainter &p, const RoundedShape &s, Body body, const QColor &border) {
  const QRect &r = s.rect;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    const int a = s.x0(y);
    const int b = s.x1(y);
    if (b < a) continue;
    p.fillRect(QRect(a, y, b - a + 1, 1), body(y - r.top()));
    if (!border.isValid()) continue;
    if ((y == r.top() && s.top) || (y == r.bottom() && s.bottom)) {
      p.fillRect(QRect(a, y, b - a + 1, 1), border);
      continue;
    }
    const int upA = y > r.top() ? s.x0(y - 1) : a;
    const int downA = y < r.bottom() ? s.x0(y + 1) : a;
    const int upB = y > r.top() ? s.x1(y - 1) : b;
    const int downB = y < r.bottom() ? s.x1(y + 1) : b;
    const int leftEnd = std::max({a, upA - 1, downA - 1});
    const int rightStart = std::min({b, upB + 1, downB + 1});
    if (s.left || a == r.left()) p.fillRect(QRect(a, y, leftEnd - a + 1, 1), border);
    if (s.right || b == r.right()) p.fillRect(QRect(rightStart, y, b - rightStart + 1, 1), border);
  }
}

// Rows of a triangle pointing in a direction, its tip at tip, size rows.
enum class Dir { Up, Down, Left, Right };
void fillTriangle(QPainter &p, QPoint tip, Dir dir, int size, const QColor &color) {
  for (int i = 0; i < size; ++i) {
    switch (dir) {
      case Dir::Up: p.fillRect(QRect(tip.x() - i, tip.y() + i, 2 * i + 1, 1), color); break;
      case Dir::Down: p.fillRect(QRect(tip.x() - i, tip.y() - i, 2 * i + 1, 1), color); break;
      case Dir::Left: p.fillRect(QRect(tip.x() + i, tip.y() - i, 1, 2 * i + 1), color); break;
      case Dir::Right: p.fillRect(QRect(tip.x() - i, tip.y() - i, 1, 2 * i + 1), color); break;
    }
  }
}

// An arrow of the given direction centred in the box.
void arrowIn(QPainter &p, const QRect &box, Dir dir, const QColor &color) {
  const int size = std::max(2, std::min(box.width(), box.height()) / 3);
  const QPoint c = box.center();
  switch (dir) {
    case Dir::Up: fillTriangle(p, QPoint(c.x(), c.y() - size / 2), dir, size, color); break;
    case Dir::Down: fillTriangle(p, QPoint(c.x(), c.y() + size / 2), dir, size, color); break;
    case Dir::Left: fillTriangle(p, QPoint(c.x() - size / 2, c.y()), dir, size, color); break;
    case Dir::Right: fillTriangle(p, QPoint(c.x() + size / 2, c.y()), dir, size, color); break;
  }
}

void thickLine(QPainter &p, QPoint a, QPoint b, int width, const QColor &color) {
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawLine(a, b);
  p.setPen(Qt::NoPen);
}

void crossIn(QPainter &p, const QRect &g, const QColor &color) {
  for (int i = 0; i < g.width() - 1; ++i) {
    p.fillRect(QRect(g.left() + i, g.top() + i, 2, 1), color);
    p.fillRect(QRect(g.right() - 1 - i, g.top() + i, 2, 1), color);
  }
}

void tickIn(QPainter &p, const QRect &g, const QColor &color) {
  const QPoint a(g.left(), g.top() + g.height() * 2 / 5);
  const QPoint m(g.left() + g.width() / 3, g.bottom() - 1);
  const QPoint b(g.right() - 1, g.top());
  p.setPen(QPen(color, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.drawPolyline(QPolygon({a, m, b}));
  p.setPen(Qt::NoPen);
}

enum class TitleGlyph { ControlBox, Help, Maximize, Restore, Minimize, Close };

void titleGlyph(QPainter &p, const QRect &g, TitleGlyph glyph, const QColor &ink) {
  const int x = g.left();
  const int y = g.top();
  const int s = g.width();
  switch (glyph) {
    case TitleGlyph::ControlBox:
      p.fillRect(QRect(x, y + 1, s, 2), ink);
      fillTriangle(p, QPoint(x + s / 2, y + s - 2), Dir::Down, s / 2, ink);
      break;
    case TitleGlyph::Help:
      p.fillRect(QRect(x + 2, y, s - 4, 2), ink);
      p.fillRect(QRect(x + 1, y + 1, 2, 2), ink);
      p.fillRect(QRect(x + s - 3, y + 1, 2, s / 2 - 1), ink);
      p.fillRect(QRect(x + s / 2, y + s / 2, s / 2 - 1, 2), ink);
      p.fillRect(QRect(x + s / 2 - 1, y + s / 2, 2, s / 2 - 2), ink);
      p.fillRect(QRect(x + s / 2 - 1, y + s - 2, 2, 2), ink);
      break;
    case TitleGlyph::Maximize:
      p.fillRect(QRect(x, y, s, 2), ink);
      p.fillRect(QRect(x, y, 1, s), ink);
      p.fillRect(QRect(x + s - 1, y, 1, s), ink);
      p.fillRect(QRect(x, y + s - 1, s, 1), ink);
      break;
    case TitleGlyph::Restore: {
      const int f = s - 3;
      p.fillRect(QRect(x + 3, y, f, 2), ink);
      p.fillRect(QRect(x + s - 1, y, 1, f), ink);
      p.fillRect(QRect(x + 3, y, 1, 3), ink);
      p.fillRect(QRect(x + s - 3, y + f - 1, 3, 1), ink);
      p.fillRect(QRect(x, y + 3, f, 2), ink);
      p.fillRect(QRect(x, y + 3, 1, f), ink);
      p.fillRect(QRect(x + f - 1, y + 3, 1, f), ink);
      p.fillRect(QRect(x, y + s - 1, f, 1), ink);
      break;
    }
    case TitleGlyph::Minimize: p.fillRect(QRect(x + 1, y + s - 3, s - 2, 2), ink); break;
    case TitleGlyph::Close: crossIn(p, g, ink); break;
  }
}

// The colour of row y of a title bar h rows high.
QColor titleRow(const LookColors &c, int y, int h) {
  switch (c.look) {
    case TkwoUIStyle::MacOS:
      if (y == h - 1) return mix(c.border, c.form, 0.35);
      return ramp(mix(c.form, kWhite, 0.75), mix(c.form, kBlack, 0.1), y, h - 1);
    case TkwoUIStyle::WinXP:
      return y < h / 3 ? ramp(mix(c.accent, kWhite, 0.3), c.accent, y, h / 3)
                       : ramp(c.accent, mix(c.accent, kBlack, 0.3), y - h / 3, h - h / 3);
    case TkwoUIStyle::Protein:
      return y < h / 2 ? ramp(mix(c.highlight, kWhite, 0.35), mix(c.highlight, kWhite, 0.12), y, h / 2)
                       : ramp(c.highlight, mix(c.highlight, kBlack, 0.3), y - h / 2, h - h / 2);
    case TkwoUIStyle::BlueGlass: {
      const QColor base = mix(c.highlight, kBlack, 0.32);
      return y < h * 2 / 5 ? ramp(mix(base, kWhite, 0.4), mix(base, kWhite, 0.2), y, h * 2 / 5)
                           : ramp(base, mix(base, kBlack, 0.25), y - h * 2 / 5, h - h * 2 / 5);
    }
    default: return ramp(mix(c.accent, kWhite, 0.18), mix(c.accent, kBlack, 0.4), y, h);
  }
}

// The title's rows over the picture. A picture that lies on the title
// lower down (the buttons, by their top offset) takes the rows it covers
// there, so that it shows no edge against the bar.
void fillTitleRows(QPainter &p, const QImage &picture, const LookColors &c, int top = 0) {
  const int h = top > 0 ? BuiltInImageSize(c.look, tiTitleBarClientImage).height : picture.height();
  for (int y = 0; y < picture.height(); ++y) {
    p.fillRect(QRect(0, y, picture.width(), 1), titleRow(c, std::min(y + top, h - 1), h));
  }
}

// The round top corner of WinXP and BlueGlass in the frame's colour; the
// bevel line along the outer edge.
void titleEnd(QPainter &p, const QImage &picture, const LookColors &c, bool leftEnd) {
  const int w = picture.width();
  const int h = picture.height();
  if (w < 2) return;
  const int edge = leftEnd ? 0 : w - 1;
  for (int y = 0; y < h; ++y) {
    const QColor row = titleRow(c, y, h);
    p.fillRect(QRect(edge, y, 1, 1), leftEnd ? mix(row, kWhite, 0.3) : mix(row, kBlack, 0.25));
  }
  const int r = std::min({c.roundCorner, w, h});
  if (r <= 0) return;
  const RoundedShape corner{QRect(0, 0, 2 * w, 2 * h), r, true, true, true, false};
  for (int y = 0; y < r; ++y) {
    const int cut = corner.inset(y);
    if (cut > 0) p.fillRect(QRect(leftEnd ? 0 : w - cut, y, cut, 1), c.frame);
  }
}

// Protein's left end: soft light bands that fade out to the right.
void proteinBands(QPainter &p, const QImage &picture, const LookColors &c) {
  const int w = picture.width();
  const int h = picture.height();
  const int reach = std::min(w, 240);
  for (int y = 0; y < h - 1; ++y) {
    const QColor row = titleRow(c, y, h);
    for (int x = 4; x < reach; ++x) {
      if ((x + y) / 7 % 3 != 0) continue;
      const double fade = 0.16 * (1.0 - static_cast<double>(x) / reach);
      p.fillRect(QRect(x, y, 1, 1), mix(row, kWhite, fade));
    }
  }
}

// One of the two check pictures: a box or a round button.
void checkCell(QPainter &p, const QRect &cell, const LookColors &c, bool round, bool checked, bool enabled,
               const QColor &background) {
  p.fillRect(cell, background);
  const int s = std::min({cell.width(), cell.height(), 13});
  const QRect box = centredSquare(cell, s);
  const QColor border = enabled ? c.border : mix(c.border, c.face, 0.55);
  const QColor top = enabled ? kWhite : mix(c.face, kWhite, 0.35);
  const QColor bottom = enabled ? mix(c.face, kWhite, 0.3) : mix(c.face, kWhite, 0.12);
  const QColor mark = enabled ? inkOf(c) : mix(c.border, c.face, 0.4);
  RoundedShape shape{box, round ? (s + 1) / 2 : (c.look == TkwoUIStyle::MacOS ? 3 : 0)};
  paintShape(p, shape, [&](int y) { return ramp(top, bottom, y, s); }, border);
  if (!checked) return;
  if (round) {
    const QRect dot = centredSquare(box, std::max(3, s / 2 - 1));
    paintShape(p, RoundedShape{dot, (dot.width() + 1) / 2}, [&](int) { return mark; }, QColor());
  } else {
    tickIn(p, box.adjusted(2, 3, -2, -2), mark);
  }
}

void checkStrip(QImage &picture, const PictureContext &context, bool round) {
  const LookColors &c = context.colors;
  QPainter p(&picture);
  for (int i = 0; i < context.frames; ++i) {
    const bool checked = i % 2 == 0;
    const bool enabled = i < 2;
    checkCell(p, frameRect(picture, context.frames, i), c, round, checked, enabled, c.face);
  }
}

// A face with a rounded outline in each frame, tinted by state.
void buttonFace(QPainter &p, const QRect &r, const LookColors &c, State state, int radius, const QColor &border) {
  const QColor top = tint(faceTop(c), state);
  const QColor bottom = tint(faceBottom(c), state);
  paintShape(p, RoundedShape{r, radius}, [&](int y) { return ramp(top, bottom, y, r.height()); }, border);
}

// A thumb pointing down over the whole picture, its top corners cut, on
// the control's background.
void pointerDown(QImage &picture, const LookColors &c) {
  const int w = picture.width();
  const int h = picture.height();
  picture.fill(c.face);
  QPainter p(&picture);
  const QColor top = mix(c.highlight, kWhite, 0.75);
  const QColor bottom = mix(c.highlight, kWhite, 0.35);
  const int tip = w / 2;
  const int shoulder = h - 1 - tip;
  for (int y = 0; y < h; ++y) {
    const int cut = y < 2 ? 2 - y : y <= shoulder ? 0 : y - shoulder;
    p.fillRect(QRect(cut, y, w - 2 * cut, 1), ramp(top, bottom, y, h));
  }
  p.setPen(mix(c.accent, kBlack, 0.3));
  p.drawPolyline(QPolygon({QPoint(2, 0), QPoint(w - 3, 0), QPoint(w - 1, 2), QPoint(w - 1, shoulder),
                           QPoint(w - 1 - tip, h - 1), QPoint(0, shoulder), QPoint(0, 2), QPoint(2, 0)}));
}

// Arrow buttons side by side: the first half point one way, the rest the
// other; each arrow's frames run through its states from normal on.
struct ArrowStrip {
  QColor background;
  int margin;
  int radius;
  QColor border;
  Dir first;
  Dir second;
  int states;
};

void arrowButtons(QImage &picture, const PictureContext &context, const ArrowStrip &s) {
  const LookColors &c = context.colors;
  picture.fill(s.background);
  QPainter p(&picture);
  for (int i = 0; i < context.frames; ++i) {
    const QRect f = frameRect(picture, context.frames, i).adjusted(s.margin, s.margin, -s.margin, -s.margin);
    buttonFace(p, f, c, static_cast<State>(i % s.states), s.radius, s.border);
    arrowIn(p, f, i < context.frames / 2 ? s.first : s.second, inkOf(c));
  }
}

}  // namespace

LookColors LookColorsOf(TkwoUIStyle style) {
  const TkwoUIStyle look = BuiltInLookOf(style);
  LookColors c;
  c.look = look;
  c.face = toQColor(GetBuiltInThemeColor(look, tiControlBackgroundColor));
  c.border = toQColor(GetBuiltInThemeColor(look, tiControlBorderColor));
  c.accent = toQColor(GetBuiltInThemeColor(look, tiMenuSelectedBorderColor));
  c.highlight = toQColor(GetBuiltInThemeColor(look, tiMenuSelectedBackgroundColor));
  c.frame = toQColor(GetBuiltInThemeColor(look, tiFormBorderColor));
  c.form = toQColor(GetBuiltInThemeColor(look, tiFormBackgroundColor));
  c.track = toQColor(GetBuiltInThemeColor(look, tiScrollBarBackgroundColor));
  c.roundCorner = std::max(0, GetBuiltInThemeInt(look, tiFormRoundCornerInt));
  return c;
}

void DrawButtonStrip(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  const bool rounded = c.look == TkwoUIStyle::MacOS || c.look == TkwoUIStyle::BlueGlass;
  picture.fill(rounded ? kMagenta : c.face);
  QPainter p(&picture);
  const int radius = c.look == TkwoUIStyle::MacOS ? 9 : c.look == TkwoUIStyle::BlueGlass ? 6
                     : c.look == TkwoUIStyle::WinXP ? 3 : 0;
  for (int i = 0; i < context.frames; ++i) {
    const auto state = static_cast<State>(std::min(i, 2));
    buttonFace(p, frameRect(picture, context.frames, i), c, state, radius, c.border);
  }
}

void DrawCheckBoxStrip(QImage &picture, const PictureContext &context) { checkStrip(picture, context, false); }

void DrawRadioStrip(QImage &picture, const PictureContext &context) { checkStrip(picture, context, true); }

void DrawTitleButtonStrip(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  const bool keyed = c.look == TkwoUIStyle::Protein || c.look == TkwoUIStyle::BlueGlass;
  QPainter p(&picture);
  if (keyed) {
    p.fillRect(picture.rect(), titleRow(c, picture.height() - 1, picture.height()));
  } else {
    fillTitleRows(p, picture, c, std::max(0, GetBuiltInThemeInt(c.look, tiTitleBarButtonTopInt)));
  }
  const bool light = c.look == TkwoUIStyle::MacOS;
  const QColor ink = light ? inkOf(c) : kWhite;
  QColor base;
  switch (c.look) {
    case TkwoUIStyle::MacOS: base = mix(c.face, c.accent, 0.25); break;
    case TkwoUIStyle::WinXP: base = mix(c.accent, kWhite, 0.15); break;
    case TkwoUIStyle::BlueGlass: base = mix(c.highlight, kWhite, 0.1); break;
    default: base = mix(c.highlight, kWhite, 0.08); break;
  }
  const QColor border = light ? c.border : mix(base, kWhite, 0.6);
  const int radius = c.look == TkwoUIStyle::MacOS || c.look == TkwoUIStyle::BlueGlass ? 99
                     : c.look == TkwoUIStyle::DeepBlue                               ? 0
                                                                                     : 3;
  for (int i = 0; i < context.frames; ++i) {
    const QRect f = frameRect(picture, context.frames, i);
    const auto state = static_cast<State>(i % 3);
    const QRect body = f.adjusted(1, 1, -1, -1);
    const QColor top = tint(mix(base, kWhite, 0.3), state);
    const QColor bottom = tint(mix(base, kBlack, 0.15), state);
    paintShape(p, RoundedShape{body, std::min(radius, (body.width() + 1) / 2)},
               [&](int y) { return ramp(top, bottom, y, body.height()); }, border);
    const int g = std::max(5, body.width() / 2);
    titleGlyph(p, centredSquare(body, g), static_cast<TitleGlyph>(i / 3), ink);
  }
}

void DrawTitleLeft(QImage &picture, const PictureContext &context) {
  QPainter p(&picture);
  fillTitleRows(p, picture, context.colors);
  if (context.colors.look == TkwoUIStyle::Protein) proteinBands(p, picture, context.colors);
  titleEnd(p, picture, context.colors, true);
}

void DrawTitleClient(QImage &picture, const PictureContext &context) {
  QPainter p(&picture);
  fillTitleRows(p, picture, context.colors);
}

void DrawTitleRight(QImage &picture, const PictureContext &context) {
  QPainter p(&picture);
  fillTitleRows(p, picture, context.colors);
  titleEnd(p, picture, context.colors, false);
}

void DrawProgressBar(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  const int w = picture.width();
  const int h = picture.height();
  QPainter p(&picture);
  const QColor top = mix(c.highlight, kWhite, 0.45);
  const QColor bottom = mix(c.accent, kBlack, 0.15);
  for (int y = 0; y < h; ++y) p.fillRect(QRect(0, y, w, 1), ramp(top, bottom, y, h));
  if (c.look == TkwoUIStyle::MacOS) {
    // A slanted light stripe that runs on from tile to tile.
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if ((x + y) % w < w / 3) p.fillRect(QRect(x, y, 1, 1), mix(ramp(top, bottom, y, h), kWhite, 0.3));
      }
    }
  } else if (c.look == TkwoUIStyle::WinXP && w > 1) {
    p.fillRect(QRect(w - 1, 0, 1, h), c.face);  // the gap between blocks
  }
}

void DrawTrackBarBar(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  picture.fill(kMagenta);
  QPainter p(&picture);
  const int h = picture.height();
  const QColor top = mix(c.track, kBlack, 0.2);
  const QColor bottom = mix(c.track, kWhite, 0.5);
  paintShape(p, RoundedShape{picture.rect(), std::max(2, (h + 1) / 2)}, [&](int y) { return ramp(top, bottom, y, h); },
             c.border);
}

void DrawTrackBarSlider(QImage &picture, const PictureContext &context) { pointerDown(picture, context.colors); }

void DrawTrackBarSliderV(QImage &picture, const PictureContext &context) {
  // The standing thumb turned left: its cut top corners become the left
  // ones, so the bottom-left pixel stays background here too.
  QImage standing(picture.height(), picture.width(), QImage::Format_RGB32);
  pointerDown(standing, context.colors);
  QPainter p(&picture);
  p.drawImage(0, 0, RotateBitmapLeft(standing));
}

void DrawScrollBarButtons(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  const int radius = c.look == TkwoUIStyle::MacOS || c.look == TkwoUIStyle::BlueGlass ? 4 : 1;
  arrowButtons(picture, context, {c.track, 0, radius, mix(c.border, c.track, 0.3), Dir::Up, Dir::Down, 3});
}

void DrawScrollBarThumb(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  picture.fill(c.track);
  QPainter p(&picture);
  const int h = picture.height();
  const QColor top = mix(c.highlight, kWhite, darkLook(c) ? 0.55 : 0.45);
  const QColor bottom = mix(c.highlight, kWhite, darkLook(c) ? 0.25 : 0.15);
  const int radius = c.look == TkwoUIStyle::MacOS || c.look == TkwoUIStyle::BlueGlass ? 7 : 2;
  paintShape(p, RoundedShape{picture.rect().adjusted(0, 1, 0, -1), radius},
             [&](int y) { return ramp(top, bottom, y, h - 2); }, mix(c.accent, kBlack, 0.2));
}

void DrawScrollButtons(QImage &picture, const PictureContext &context) {
  arrowButtons(picture, context, {kMagenta, 1, 4, context.colors.border, Dir::Right, Dir::Left, 2});
}

void DrawTab(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  picture.fill(c.face);
  QPainter p(&picture);
  const int h = picture.height();
  const int radius = c.look == TkwoUIStyle::DeepBlue ? 2 : 3;
  for (int i = 0; i < context.frames; ++i) {
    const bool active = i == 0;
    const QRect f = frameRect(picture, context.frames, i).adjusted(0, active ? 0 : 2, 0, 0);
    const QColor top = active ? kWhite : mix(c.face, kWhite, 0.2);
    const QColor bottom = active ? mix(c.face, kWhite, 0.6) : mix(c.face, kBlack, 0.08);
    RoundedShape shape{f, radius, true, true, true, false};
    paintShape(p, shape, [&](int y) { return ramp(top, bottom, y, f.height()); }, c.border);
    if (active) {
      p.fillRect(QRect(f.left() + 1, h - 1, f.width() - 2, 1), bottom);
      if (c.look != TkwoUIStyle::MacOS) p.fillRect(QRect(f.left() + 1, 0, f.width() - 2, 1), c.highlight);
    } else {
      p.fillRect(QRect(f.left(), h - 1, f.width(), 1), c.border);
    }
  }
}

void DrawTabLine(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  const int h = picture.height();
  QPainter p(&picture);
  for (int y = 0; y < h; ++y) {
    const bool line = h <= 2 || y == h - 1;
    p.fillRect(QRect(0, y, picture.width(), 1), line ? c.border : mix(c.face, kWhite, 0.6));
  }
}

void DrawSideHandle(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  const int w = picture.width();
  const int h = picture.height();
  QPainter p(&picture);
  const QColor left = mix(c.face, kWhite, 0.6);
  const QColor right = mix(c.face, c.highlight, 0.25);
  for (int x = 0; x < w; ++x) p.fillRect(QRect(x, 0, 1, h), ramp(left, right, x, w));
  p.fillRect(QRect(0, 0, 1, h), c.border);
  p.fillRect(QRect(w - 1, 0, 1, h), c.border);
  const QColor ink = inkOf(c);
  const int cx = w / 2;
  for (int y = h / 2 - 9; y <= h / 2 + 9; y += 3) p.fillRect(QRect(cx - 1, y, 2, 2), mix(ink, kWhite, 0.35));
  fillTriangle(p, QPoint(cx - 2, 8), Dir::Left, std::max(2, w / 2 - 1), ink);
  fillTriangle(p, QPoint(cx - 2, h - 9), Dir::Left, std::max(2, w / 2 - 1), ink);
}

void DrawSideBar(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  const int h = picture.height();
  QPainter p(&picture);
  QColor top;
  QColor bottom;
  if (darkLook(c)) {
    top = mix(c.highlight, kWhite, 0.2);
    bottom = mix(c.highlight, kBlack, 0.3);
  } else {
    top = mix(c.face, kWhite, 0.8);
    bottom = mix(c.face, c.highlight, 0.25);
  }
  for (int y = 0; y < h; ++y) p.fillRect(QRect(0, y, picture.width(), 1), ramp(top, bottom, y, h));
}

void DrawMenuBar(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  const int h = picture.height();
  QPainter p(&picture);
  for (int y = 0; y < h; ++y) {
    const QColor row = y == h - 1 ? mix(c.border, c.form, 0.4) : ramp(mix(c.form, kWhite, 0.8), mix(c.form, kBlack, 0.04), y, h - 1);
    p.fillRect(QRect(0, y, picture.width(), 1), row);
  }
}

void DrawMenuSelect(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  const int h = picture.height();
  QPainter p(&picture);
  for (int y = 0; y < h; ++y) {
    p.fillRect(QRect(0, y, picture.width(), 1), ramp(mix(c.accent, kWhite, 0.2), mix(c.accent, kBlack, 0.25), y, h));
  }
}

void DrawCheckMark(QImage &picture, const PictureContext &) {
  picture.fill(kWhite);
  QPainter p(&picture);
  const int s = std::min(picture.width(), picture.height());
  tickIn(p, QRect(s / 4, s / 4, s / 2 + 1, s / 2), kBlack);
}

void DrawPanelButton(QImage &picture, const PictureContext &context) {
  const QColor base(196, 200, 208);
  const QColor edge(72, 76, 84);
  QPainter p(&picture);
  for (int i = 0; i < context.frames; ++i) {
    const QRect f = frameRect(picture, context.frames, i);
    const State state = i % 2 == 1 ? State::Over : State::Normal;
    const QColor top = tint(mix(base, kWhite, 0.5), state);
    const QColor bottom = tint(base, state);
    paintShape(p, RoundedShape{f, 0}, [&](int y) { return ramp(top, bottom, y, f.height()); }, edge);
    // Up while unfolded (pressing folds), down while folded.
    arrowIn(p, f.adjusted(1, 1, -1, -1), i < 2 ? Dir::Up : Dir::Down, edge);
  }
}

void DrawNavigatorGlyphs(QImage &picture, const PictureContext &context) {
  const QColor ink(16, 32, 96);
  const QColor accent(168, 24, 24);
  picture.fill(QColor(232, 232, 232));
  QPainter p(&picture);
  for (int i = 0; i < context.frames; ++i) {
    const QRect f = frameRect(picture, context.frames, i);
    const QRect g = centredSquare(f, std::min(f.width(), f.height()) - 6);
    const int x = g.left();
    const int y = g.top();
    const int s = g.width();
    const int half = s / 2 + 1;
    switch (i) {
      case 0:  // first
        p.fillRect(QRect(x, y, 2, s), ink);
        fillTriangle(p, QPoint(x + 3, y + s / 2), Dir::Left, half, ink);
        break;
      case 1: fillTriangle(p, QPoint(x + 2, y + s / 2), Dir::Left, half, ink); break;   // prior
      case 2: fillTriangle(p, QPoint(x + s - 3, y + s / 2), Dir::Right, half, ink); break;  // next
      case 3:  // last
        fillTriangle(p, QPoint(x + s - 4, y + s / 2), Dir::Right, half, ink);
        p.fillRect(QRect(x + s - 2, y, 2, s), ink);
        break;
      case 4:  // insert
        p.fillRect(QRect(x, y + s / 2 - 1, s, 2), ink);
        p.fillRect(QRect(x + s / 2 - 1, y, 2, s), ink);
        break;
      case 5: p.fillRect(QRect(x, y + s / 2 - 1, s, 2), ink); break;  // delete
      case 6:                                                           // edit: a pencil
        thickLine(p, QPoint(x + 2, y + s - 3), QPoint(x + s - 2, y + 1), 3, ink);
        p.fillRect(QRect(x, y + s - 2, 2, 2), accent);
        break;
      case 7: tickIn(p, g, ink); break;        // post
      case 8: crossIn(p, g, accent); break;    // cancel
      default:                                 // refresh: a round arrow
        p.setPen(QPen(ink, 2));
        p.drawArc(g.adjusted(1, 1, -1, -1), 90 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        fillTriangle(p, QPoint(x + s / 2 + 2, y + 1), Dir::Right, 3, ink);
        break;
    }
  }
}

void DrawFormPattern(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  picture.fill(c.form);
  QPainter p(&picture);
  const int w = picture.width();
  if (c.look == TkwoUIStyle::Protein) {
    // A faint diagonal weave.
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < w; ++x) {
        if ((x + y) % 4 == 0) p.fillRect(QRect(x, y, 1, 1), mix(c.form, c.highlight, 0.05));
      }
    }
  } else {
    // A dotted pinstripe along the top row of each tile.
    for (int x = 0; x < w; x += 2) p.fillRect(QRect(x, 0, 1, 1), mix(c.form, kWhite, 0.35));
  }
}

void DrawMdiButtons(QImage &picture, const PictureContext &context) {
  picture.fill(kWhite);
  QPainter p(&picture);
  for (int i = 0; i < context.frames; ++i) {
    const QRect f = frameRect(picture, context.frames, i);
    const QRect g = centredSquare(f, std::min(f.width(), f.height()) - 6);
    const TitleGlyph glyph = i == 0 ? TitleGlyph::Minimize : i == 1 ? TitleGlyph::Restore : TitleGlyph::Close;
    titleGlyph(p, g, glyph, kBlack);
  }
}

void DrawComboButton(QImage &picture, const PictureContext &context) {
  const LookColors &c = context.colors;
  picture.fill(c.face);
  QPainter p(&picture);
  const bool xp = c.look == TkwoUIStyle::WinXP;
  const QColor top = xp ? mix(c.highlight, kWhite, 0.5) : faceTop(c);
  const QColor bottom = xp ? c.highlight : faceBottom(c);
  const QRect r = picture.rect();
  paintShape(p, RoundedShape{r, xp ? 2 : 3}, [&](int y) { return ramp(top, bottom, y, r.height()); },
             xp ? mix(c.accent, kWhite, 0.3) : c.border);
  arrowIn(p, r.adjusted(0, 1, 0, 0), Dir::Down, inkOf(c));
}

void DrawMainIcon(QImage &picture, const PictureContext &) {
  const int s = std::min(picture.width(), picture.height());
  picture.fill(QColor(36, 40, 52));
  QPainter p(&picture);
  const std::array<QColor, 4> lamps{QColor(232, 48, 40), QColor(56, 200, 72), QColor(48, 112, 232),
                                    QColor(240, 184, 40)};
  const int cells = s >= 24 ? 5 : 3;
  const int margin = s >= 24 ? 3 : 2;
  const int pitch = (s - 2 * margin) / cells;
  const int lamp = std::max(1, pitch - 1);
  const int x0 = (s - pitch * cells + 1) / 2;
  for (int row = 0; row < cells; ++row) {
    for (int col = 0; col < cells; ++col) {
      const QColor &base = lamps[static_cast<size_t>((row + 2 * col) % 4)];
      p.fillRect(QRect(x0 + col * pitch, x0 + row * pitch, lamp, lamp), base);
      if (lamp >= 3) p.fillRect(QRect(x0 + col * pitch, x0 + row * pitch, 1, 1), mix(base, kWhite, 0.6));
    }
  }
  // The wall's frame.
  p.fillRect(QRect(0, 0, s, 1), QColor(120, 128, 148));
  p.fillRect(QRect(0, 0, 1, s), QColor(120, 128, 148));
  p.fillRect(QRect(0, s - 1, s, 1), QColor(16, 18, 24));
  p.fillRect(QRect(s - 1, 0, 1, s), QColor(16, 18, 24));
}

}  // namespace kwo::pictures
