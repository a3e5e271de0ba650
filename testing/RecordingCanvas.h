#pragma once

#include <string>
#include <vector>

#include "ui/Canvas.h"
#include "ui/ImageList.h"

namespace tg::testing {

// A canvas that writes down what is drawn on it, in order.
class RecordingCanvas : public ui::Canvas {
 public:
  struct Fill {
    ui::Rect area;
    ui::Color color;
  };
  struct Text {
    int x;
    int y;
    std::string text;
    ui::Font font;
  };
  struct Picture {
    const ui::ImageList* images;
    int index;
    int x;
    int y;
  };
  enum class Op { Fill, Text, Image, Focus };

  explicit RecordingCanvas(ui::Font font = {}) : font_(std::move(font)) {}

  ui::Font& font() override { return font_; }
  void fillRect(const ui::Rect& area, const ui::Color& color) override {
    fills.push_back({area, color});
    order.push_back(Op::Fill);
  }
  void textOut(int x, int y, const std::string& text) override {
    texts.push_back({x, y, text, font_});
    order.push_back(Op::Text);
  }
  void drawImage(const ui::ImageList& images, int index, int x, int y) override {
    pictures.push_back({&images, index, x, y});
    order.push_back(Op::Image);
  }

  void drawFocusRect(const ui::Rect& area) override {
    focusRects.push_back(area);
    order.push_back(Op::Focus);
  }

  std::vector<Fill> fills;
  std::vector<ui::Rect> focusRects;
  std::vector<Text> texts;
  std::vector<Picture> pictures;
  std::vector<Op> order;

 private:
  ui::Font font_;
};

}  // namespace tg::testing
