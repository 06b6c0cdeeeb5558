#pragma once
// The program's picture and name at the top of the login and About
// dialogs. The picture, a small wall of lit cells on a dark cabinet, is
// drawn by the program.
#include <QPixmap>

namespace ui {
class Form;
class Image;
class Label;
}  // namespace ui

QPixmap EditorPicture(int width, int height);

struct ProductBanner {
  ui::Image *picture = nullptr;
  ui::Label *name = nullptr;     // "PLC"
  ui::Label *system = nullptr;   // "控制系统(V2.2)"
};

// Places the picture (64 x 64) at left, top of form, with the two labels
// beside it; the form owns all three.
ProductBanner AddProductBanner(ui::Form &form, int left, int top);
