#include "ui/Button.h"

namespace tg::ui {

const char* kindCaption(ButtonKind kind) {
  switch (kind) {
    case ButtonKind::OK: return "OK";
    case ButtonKind::No: return "&No";
    case ButtonKind::Abort: return "Abort";
    case ButtonKind::All: return "&All";
    case ButtonKind::Custom: break;
  }
  return "";
}

Button::Button(std::string name, Rect bounds, ButtonKind kind, std::string caption)
    : Control(ControlKind::Button, std::move(name), bounds), kind_(kind) {
  default_ = kind == ButtonKind::OK;
  cancel_ = kind == ButtonKind::No;
  setCaption(std::move(caption));
}

std::string Button::shownCaption() const { return caption().empty() ? kindCaption(kind_) : caption(); }

void Button::setDefault(bool on) {
  default_ = on;
  changed(Change::Style);
}

void Button::setCancel(bool on) {
  cancel_ = on;
  changed(Change::Style);
}

void Button::setGlyph(Image image) {
  glyph_ = std::move(image);
  changed(Change::Image);
}

void Button::click() {
  if (!usable()) return;
  fire(onClick);
}

Image kindGlyph(ButtonKind kind) {
  switch (kind) {
    case ButtonKind::OK:  // a green check mark
      return Image::fromArt({"................", "................", "............GG..", "...........GGG..",
                             "..........GGG...", ".........GGG....", "........GGG.....", ".GG....GGG......",
                             ".GGG..GGG.......", "..GGGGGG........", "...GGGG.........", "....GG..........",
                             "................", "................", "................", "................"},
                            {"G008000"});
    case ButtonKind::No:  // a red cross
      return Image::fromArt({"................", "................", "..RR.......RR...", "..RRR.....RRR...",
                             "...RRR...RRR....", "....RRR.RRR.....", ".....RRRRR......", "......RRR.......",
                             ".....RRRRR......", "....RRR.RRR.....", "...RRR...RRR....", "..RRR.....RRR...",
                             "..RR.......RR...", "................", "................", "................"},
                            {"Rc00000"});
    case ButtonKind::Abort:  // a red stop disc with a white bar
      return Image::fromArt({"................", ".....RRRRRR.....", "...RRRRRRRRRR...", "..RRRRRRRRRRRR..",
                             "..RRRRRRRRRRRR..", ".RRRRRRRRRRRRRR.", ".RRWWWWWWWWWWRR.", ".RRWWWWWWWWWWRR.",
                             ".RRRRRRRRRRRRRR.", ".RRRRRRRRRRRRRR.", "..RRRRRRRRRRRR..", "..RRRRRRRRRRRR..",
                             "...RRRRRRRRRR...", ".....RRRRRR.....", "................", "................"},
                            {"Rc00000", "Wffffff"});
    case ButtonKind::All:  // two check marks
      return Image::fromArt({"................", "................", "..............G.", ".............GG.",
                             "......G.....GG..", ".....GG....GG...", "....GG....GG....", "G..GG.G..GG.....",
                             "GGGG..GGGG......", ".GG....GG.......", "................", "................",
                             "................", "................", "................", "................"},
                            {"G008000"});
    case ButtonKind::Custom: break;
  }
  return {};
}

}  // namespace tg::ui
