#include "tools/skingen/skin_art.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTopRadius = 8;     // the window's top corners
constexpr int kBottomRadius = 4;  // no wider than the side pieces, so the bottom piece stays opaque
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

TShape Box(double left, double top, double right, double bottom) {
  return [=](TPoint p) { return p.X >= left && p.X < right && p.Y >= top && p.Y < bottom; };
}

TShape Intersect(TShape a, TShape b) {
  return [a = std::move(a), b = std::move(b)](TPoint p) { return a(p) && b(p); };
}

TShape Polyline(const std::vector<TPoint>& points, double width) {
  std::vector<TShape> strokes;
  for (size_t i = 1; i < points.size(); ++i) strokes.push_back(Stroke(points[i - 1], points[i], width));
  return Union(std::move(strokes));
}

TShape Outline(double left, double top, double right, double bottom, double radius, double width) {
  return Difference(RoundedRect(left, top, right, bottom, radius),
                    RoundedRect(left + width, top + width, right - width, bottom - width, std::max(radius - width, 0.0)));
}

// A rounded box with a one-pixel border.
void Bordered(TLayer& layer, double left, double top, double right, double bottom, double radius, uint32_t border,
              const TColourAt& fill) {
  layer.Fill(RoundedRect(left, top, right, bottom, radius), border);
  layer.Fill(RoundedRect(left + 1, top + 1, right - 1, bottom - 1, std::max(radius - 1, 0.0)), fill);
}

// The window outline: rounded rectangle with different top and bottom radii.
TShape WindowShape(double left, double top, double right, double bottom, double topRadius, double bottomRadius) {
  return [=](TPoint p) {
    if (p.X < left || p.X > right || p.Y < top || p.Y > bottom) return false;
    double radius = p.Y < (top + bottom) / 2 ? topRadius : bottomRadius;
    double cx = std::clamp(p.X, left + radius, right - radius);
    double cy = std::clamp(p.Y, top + radius, bottom - radius);
    return (p.X - cx) * (p.X - cx) + (p.Y - cy) * (p.Y - cy) <= radius * radius;
  };
}

uint32_t TitleColour(const TSkinPalette& p, bool active, int row) {
  uint32_t top = active ? p.TitleTop : p.TitleInactiveTop, bottom = active ? p.TitleBottom : p.TitleInactiveBottom;
  return Mix(top, bottom, std::clamp((row - 1) / double(kTitleHeight - 2), 0.0, 1.0));
}

// The whole frame of one window, from which the four pieces are cut.
TSkinImage DesignWindow(const TSkinPalette& p, bool active) {
  const int w = kFrameDesignWidth, h = kFrameDesignHeight;
  uint32_t edge = active ? p.FrameEdge : p.FrameEdgeInactive;
  uint32_t body = TitleColour(p, active, kTitleHeight);
  TLayer layer(w, h);
  layer.Fill(WindowShape(0, 0, w, h, kTopRadius, kBottomRadius), edge);
  layer.Fill(WindowShape(1, 1, w - 1, h - 1, kTopRadius - 1, kBottomRadius - 1),
             [&](int, int y) { return y < kTitleHeight ? TitleColour(p, active, y) : body; });
  // A faint light line under the top edge lifts the title bar.
  layer.Fill(Intersect(WindowShape(1, 1, w - 1, h - 1, kTopRadius - 1, kBottomRadius - 1), Box(0, 1, w, 2)),
             Mix(TitleColour(p, active, 1), kWhite, 0.18));
  // The client area is outlined by a line between frame and edge colour.
  uint32_t inner = Mix(body, edge, 0.45);
  layer.Fill(Box(kSideWidth - 1, kTitleHeight, kSideWidth, h - kBottomHeight + 1), inner);
  layer.Fill(Box(w - kSideWidth, kTitleHeight, w - kSideWidth + 1, h - kBottomHeight + 1), inner);
  layer.Fill(Box(kSideWidth - 1, h - kBottomHeight, w - kSideWidth + 1, h - kBottomHeight + 1), inner);
  TSkinImage image(w, h);
  image.Place(layer, 0, 0);
  return image;
}

// Title-bar glyphs in a box of the given size (designed on a 21-pixel grid).
TShape TitleGlyph(TTitleGlyph glyph, double size) {
  double g = size / 21.0;
  auto P = [g](double x, double y) { return TPoint{x * g, y * g}; };
  double line = std::max(1.25, 1.35 * g);
  switch (glyph) {
    case TTitleGlyph::Close:
      return Union({Stroke(P(6.5, 6.5), P(14.5, 14.5), line), Stroke(P(14.5, 6.5), P(6.5, 14.5), line)});
    case TTitleGlyph::Maximize:
      return Union({Outline(6 * g, 6 * g, 15 * g, 15 * g, 1, line * 0.9), Box(6 * g, 6 * g, 15 * g, 6 * g + 2)});
    case TTitleGlyph::Restore: {
      TShape front = Outline(5.5 * g, 8.5 * g, 12.5 * g, 15.5 * g, 1, line * 0.9);
      TShape back = Difference(Outline(8.5 * g, 5.5 * g, 15.5 * g, 12.5 * g, 1, line * 0.9),
                               RoundedRect(5 * g, 8 * g, 13 * g, 16 * g, 0));
      return Union({front, back});
    }
    case TTitleGlyph::Minimize:
      return Stroke(P(6.5, 14), P(14.5, 14), line);
    case TTitleGlyph::Help: {
      TPoint centre = P(10.5, 8);
      double radius = 3 * g, end = -0.9;
      TPoint hookEnd{centre.X + radius * std::cos(end), centre.Y - radius * std::sin(end)};
      return Union({Arc(centre, radius, end, 2.75, line), Polyline({hookEnd, P(10.5, 12), P(10.5, 12.8)}, line),
                    Circle(P(10.5, 15.6), 1.0 * g)});
    }
  }
  return Box(0, 0, 0, 0);
}

TShape Chevron(TPoint centre, double half, double depth, int direction, double width) {
  // direction: 0 up, 1 down, 2 left, 3 right.
  TPoint a, b, tip;
  switch (direction) {
    case 0:
      a = {centre.X - half, centre.Y + depth / 2};
      b = {centre.X + half, centre.Y + depth / 2};
      tip = {centre.X, centre.Y - depth / 2};
      break;
    case 1:
      a = {centre.X - half, centre.Y - depth / 2};
      b = {centre.X + half, centre.Y - depth / 2};
      tip = {centre.X, centre.Y + depth / 2};
      break;
    case 2:
      a = {centre.X + depth / 2, centre.Y - half};
      b = {centre.X + depth / 2, centre.Y + half};
      tip = {centre.X - depth / 2, centre.Y};
      break;
    default:
      a = {centre.X - depth / 2, centre.Y - half};
      b = {centre.X - depth / 2, centre.Y + half};
      tip = {centre.X + depth / 2, centre.Y};
      break;
  }
  return Polyline({a, tip, b}, width);
}

// Fill of a raised control face by state: 1 normal, 2 pressed, 3 disabled, 4 hot.
TColourAt FaceFill(const TSkinPalette& p, int state, double height) {
  switch (state) {
    case 2:
      return Solid(Mix(p.FaceDark, p.AccentLight, 0.35));
    case 3:
      return Solid(p.Face);
    case 4:
      return VerticalGradient(Mix(p.FaceLight, p.AccentLight, 0.6), Mix(p.Face, p.AccentLight, 0.7), 0, height);
    default:
      return VerticalGradient(p.FaceLight, Mix(p.Face, p.FaceDark, 0.35), 0, height);
  }
}

// Border of a sunken field by combo state (4 is hot or focused).
uint32_t FieldBorder(const TSkinPalette& p, int state) {
  return state == 4 ? p.Accent : state == 3 ? p.BorderDisabled : state == 2 ? p.BorderHot : p.Border;
}

uint32_t FaceBorder(const TSkinPalette& p, int state) {
  switch (state) {
    case 2:
      return p.AccentDark;
    case 3:
      return p.BorderDisabled;
    case 4:
      return p.BorderHot;
    default:
      return p.Border;
  }
}

}  // namespace

TSkinImage FramePiece(const TSkinPalette& p, TFramePiece piece) {
  TSkinImage active = DesignWindow(p, true), inactive = DesignWindow(p, false);
  const int w = kFrameDesignWidth, h = kFrameDesignHeight, inner = w - 2 * kSideWidth;
  switch (piece) {
    case TFramePiece::Left:
    case TFramePiece::Right: {
      int from = piece == TFramePiece::Left ? 0 : w - kSideWidth;
      TSkinImage strip(2 * kSideWidth, h);
      strip.Copy(active, from, 0, kSideWidth, h, 0, 0);
      strip.Copy(inactive, from, 0, kSideWidth, h, kSideWidth, 0);
      return strip;
    }
    case TFramePiece::Top: {
      TSkinImage strip(inner, 2 * kTitleHeight);
      strip.Copy(active, kSideWidth, 0, inner, kTitleHeight, 0, 0);
      strip.Copy(inactive, kSideWidth, 0, inner, kTitleHeight, 0, kTitleHeight);
      return strip;
    }
    case TFramePiece::Bottom: {
      TSkinImage strip(inner, 2 * kBottomHeight);
      strip.Copy(active, kSideWidth, h - kBottomHeight, inner, kBottomHeight, 0, 0);
      strip.Copy(inactive, kSideWidth, h - kBottomHeight, inner, kBottomHeight, 0, kBottomHeight);
      return strip;
    }
  }
  return TSkinImage();
}

TSkinImage TitleTextBack(const TSkinPalette& p) {
  auto title = [&p](int frame) -> TColourAt { return [&p, frame](int, int y) { return TitleColour(p, frame == 1, y); }; };
  // The pill keeps 4 pixels clear at its ends: the caption box starts right after the window icon.
  // Wider than the title's text offsets (TextShift + TextRightClip), which the title element keeps
  // in its margins, so no reader mistakes them for slices that do not fit.
  const int w = 96;
  return Strip(
      w, kTitleHeight, 2,
      [&](TLayer& layer, int frame) {
        TColourAt under = title(frame);
        double amount = Luminance(p.TitleTop) < 0.5 ? 0.09 : 0.35;
        layer.Fill(RoundedRect(4.5, 5, w - 4.5, kTitleHeight - 5, 6),
                   [&](int x, int y) { return Mix(under(x, y), kWhite, amount); });
      },
      title, true);
}

TSkinImage TitleButton(const TSkinPalette& p, TTitleGlyph glyph, int frames) {
  const int s = kTitleButtonSize;
  // Frames: 1 normal, 2 pressed, 3 hot, 4 inactive or disabled; any further frames repeat the first.
  auto under = [&p](int frame) -> TColourAt {
    return [&p, frame](int, int y) { return TitleColour(p, frame != 4, y + kTitleButtonTop); };
  };
  return Strip(
      s, s, frames,
      [&](TLayer& layer, int frame) {
        TColourAt title = under(frame);
        uint32_t ink = frame == 4 ? p.TitleTextInactive : p.TitleText;
        if (frame == 2 || frame == 3) {
          TShape back = RoundedRect(1, 1, s - 1, s - 1, 4);
          if (glyph == TTitleGlyph::Close) {
            layer.Fill(back, frame == 3 ? p.CloseHot : p.ClosePressed);
            ink = kWhite;
          } else {
            double amount = frame == 3 ? p.TitleHover : p.TitlePressed;
            layer.Fill(back, [&](int x, int y) { return Mix(title(x, y), amount < 0 ? kBlack : kWhite, std::fabs(amount)); });
          }
        }
        layer.Fill(TitleGlyph(glyph, s), ink);
      },
      under);
}

TSkinImage MdiControls(const TSkinPalette& p) {
  const int s = 16;
  const TTitleGlyph glyphs[] = {TTitleGlyph::Minimize, TTitleGlyph::Restore, TTitleGlyph::Close};
  // Three groups of four: normal, pressed, hot, disabled.
  return Strip(
      s, s, 12,
      [&](TLayer& layer, int frame) {
        int state = (frame - 1) % 4 + 1;
        if (state == 2) Bordered(layer, 0.5, 0.5, s - 0.5, s - 0.5, 3, p.BorderHot, Solid(Mix(p.AccentLight, p.Accent, 0.25)));
        if (state == 3) Bordered(layer, 0.5, 0.5, s - 0.5, s - 0.5, 3, p.BorderHot, Solid(p.AccentLight));
        layer.Fill(TitleGlyph(glyphs[(frame - 1) / 4], s), state == 4 ? p.TextDisabled : p.Text);
      },
      [&p](int frame) {
        int state = (frame - 1) % 4 + 1;
        return Solid(state == 2 ? Mix(p.AccentLight, p.Accent, 0.25) : state == 3 ? p.AccentLight : p.MenuBar);
      });
}

TSkinImage MenuBar(const TSkinPalette& p) {
  return Strip(40, 20, 2, [&](TLayer& layer, int frame) {
    uint32_t base = frame == 1 ? p.MenuBar : Mix(p.MenuBar, p.Face, 0.5);
    layer.Fill(Box(0, 0, 40, 20), VerticalGradient(Mix(base, p.FaceLight, 0.3), base, 0, 20));
  }, nullptr, true);
}

TSkinImage PushButton(const TSkinPalette& p) {
  const int w = 32, h = 24;
  // 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused or default.
  return Strip(
      w, h, 5,
      [&](TLayer& layer, int frame) {
        int state = frame == 5 ? 1 : frame;
        Bordered(layer, 0, 0, w, h, 3.5, frame == 5 ? p.Accent : FaceBorder(p, state), FaceFill(p, state, h));
        if (frame == 5) layer.Fill(Outline(1, 1, w - 1, h - 1, 2.5, 1), Mix(p.Accent, p.FaceLight, 0.55));
      },
      [&p](int) { return Solid(p.Face); });
}

TSkinImage CheckBox(const TSkinPalette& p) {
  const int s = 13;
  // Unchecked, checked, mixed; each normal, hot, pressed, disabled.
  return Strip(
      s, s, 12,
      [&](TLayer& layer, int frame) {
        int group = (frame - 1) / 4, state = (frame - 1) % 4;  // state: 0 normal, 1 hot, 2 pressed, 3 disabled
        if (group == 0) {
          uint32_t border = state == 3 ? p.BorderDisabled : state == 0 ? p.Border : p.BorderHot;
          uint32_t fill = state == 3 ? p.Face : state == 2 ? Mix(p.Field, p.AccentLight, 0.8) : state == 1 ? Mix(p.Field, p.AccentLight, 0.35) : p.Field;
          Bordered(layer, 0, 0, s, s, 2.5, border, Solid(fill));
          return;
        }
        uint32_t fill = state == 3 ? p.BorderDisabled : state == 1 ? Mix(p.Accent, p.FaceLight, 0.2) : state == 2 ? p.AccentDark : p.Accent;
        Bordered(layer, 0, 0, s, s, 2.5, state == 3 ? p.BorderDisabled : p.AccentDark, Solid(fill));
        uint32_t mark = state == 3 ? p.Face : p.OnAccent;
        if (group == 1) {
          layer.Fill(Polyline({{3.2, 6.6}, {5.5, 9.0}, {9.9, 4.3}}, 1.7), mark);
        } else {
          layer.Fill(Stroke({3.6, 6.5}, {9.4, 6.5}, 1.8), mark);
        }
      },
      [&p](int) { return Solid(p.Face); });
}

TSkinImage RadioButton(const TSkinPalette& p) {
  const int s = 13;
  // Unchecked, checked; each normal, hot, pressed, disabled.
  return Strip(
      s, s, 8,
      [&](TLayer& layer, int frame) {
        bool checked = frame > 4;
        int state = (frame - 1) % 4;
        TPoint centre{6.5, 6.5};
        if (!checked) {
          uint32_t border = state == 3 ? p.BorderDisabled : state == 0 ? p.Border : p.BorderHot;
          uint32_t fill = state == 3 ? p.Face : state == 2 ? Mix(p.Field, p.AccentLight, 0.8) : state == 1 ? Mix(p.Field, p.AccentLight, 0.35) : p.Field;
          layer.Fill(Circle(centre, 6.4), border);
          layer.Fill(Circle(centre, 5.4), fill);
          return;
        }
        uint32_t fill = state == 3 ? p.BorderDisabled : state == 1 ? Mix(p.Accent, p.FaceLight, 0.2) : state == 2 ? p.AccentDark : p.Accent;
        layer.Fill(Circle(centre, 6.4), state == 3 ? p.BorderDisabled : p.AccentDark);
        layer.Fill(Circle(centre, 5.4), fill);
        layer.Fill(Circle(centre, 2.3), state == 3 ? p.Face : p.OnAccent);
      },
      [&p](int) { return Solid(p.Face); });
}

TSkinImage ProgressBar(const TSkinPalette& p) {
  const int w = 16, h = 14;
  return Strip(
      w, h, 2,
      [&](TLayer& layer, int frame) {
        if (frame == 1) {
          Bordered(layer, 0, 0, w, h, 3.5, p.Border, Solid(p.Track));
        } else {
          layer.Fill(RoundedRect(2, 2, w - 2, h - 2, 2.5), VerticalGradient(Mix(p.Accent, kWhite, 0.25), p.Accent, 2, h - 3));
        }
      },
      [&p](int frame) { return Solid(frame == 1 ? p.Face : p.Track); });
}

TSkinImage ProgressChunk(const TSkinPalette& p) {
  return Strip(8, 10, 1, [&](TLayer& layer, int) {
    layer.Fill(RoundedRect(0, 0, 6, 10, 1.5), VerticalGradient(Mix(p.Accent, kWhite, 0.25), p.Accent, 0, 9));
  }, [&p](int) { return Solid(p.Track); });
}

TSkinImage GroupBoxEdge(const TSkinPalette& p) {
  return Strip(16, 16, 2, [&](TLayer& layer, int frame) {
    layer.Fill(Outline(0, 0, 16, 16, 4, 1), frame == 1 ? p.Border : p.BorderDisabled);
  }, [&p](int) { return Solid(p.Face); });
}

TSkinImage GroupBoxLabel(const TSkinPalette& p) {
  return Strip(24, 18, 1, [&](TLayer& layer, int) {
    layer.Fill(RoundedRect(0, 0, 24, 18, 5), Mix(p.Face, p.AccentLight, 0.6));
  }, [&p](int) { return Solid(p.Face); });
}

TSkinImage Tabs(const TSkinPalette& p) {
  const int w = 24, h = 24;
  // 1 ordinary, 2 focused; 3 to 5 are not shown and repeat them.
  return Strip(
      w, h, 5,
      [&](TLayer& layer, int frame) {
        bool focused = frame == 2 || frame == 5;
        if (focused) {
          Bordered(layer, 0, 0, w, h + 6, 4, p.Border, Solid(p.Face));
          layer.Fill(Intersect(RoundedRect(1, 1, w - 1, h, 3), Box(0, 0, w, 3)), p.Accent);
        } else {
          Bordered(layer, 0, 3, w, h + 6, 4, p.Border, VerticalGradient(Mix(p.FaceLight, p.FaceDark, 0.3), p.FaceDark, 3, h));
          layer.Fill(Box(0, h - 1, w, h), p.Border);
        }
      },
      [&p](int) { return Solid(p.Face); });
}

TSkinImage TabPane(const TSkinPalette& p) {
  return Strip(12, 12, 1, [&](TLayer& layer, int) { Bordered(layer, 0, 0, 12, 12, 0, p.Border, Solid(p.Face)); });
}

TSkinImage StatusBarEdges(const TSkinPalette& p) {
  // 1 lowered, 2 raised, 3 flat.
  return Strip(12, 12, 3, [&](TLayer& layer, int frame) {
    if (frame == 1) Bordered(layer, 0, 0, 12, 12, 0, Mix(p.Border, p.Face, 0.35), Solid(Mix(p.Face, p.FaceDark, 0.3)));
    if (frame == 2) Bordered(layer, 0, 0, 12, 12, 0, Mix(p.Border, p.Face, 0.35), Solid(p.FaceLight));
    if (frame == 3) layer.Fill(Box(0, 0, 12, 12), p.Face);
  });
}

TSkinImage ToolBarButtons(const TSkinPalette& p) {
  // 1 normal (flat), 2 pressed, 3 disabled (flat), 4 hot, 5 focused.
  return Strip(
      22, 22, 5,
      [&](TLayer& layer, int frame) {
        if (frame == 2) Bordered(layer, 0, 0, 22, 22, 3, p.AccentDark, Solid(Mix(p.AccentLight, p.Accent, 0.25)));
        if (frame == 4) Bordered(layer, 0, 0, 22, 22, 3, p.BorderHot, Solid(p.AccentLight));
        if (frame == 5) Bordered(layer, 0, 0, 22, 22, 3, p.Accent, Solid(p.AccentLight));
      },
      [&p](int) { return Solid(p.Face); });
}

TSkinImage ComboButton(const TSkinPalette& p) {
  const int w = 19, h = 21;
  // Combo states: 1 normal, 2 pressed, 3 disabled, 4 hot or focused. The outer border matches
  // the sunken edge of the same state, so frame and button join into one field.
  return Strip(
      w, h, 4,
      [&](TLayer& layer, int state) {
        layer.Fill(Intersect(RoundedRect(-4, 0, w, h, 2.5), Box(0, 0, w, h)), FieldBorder(p, state));
        layer.Fill(Intersect(RoundedRect(-4, 1, w - 1, h - 1, 1.5), Box(1, 0, w, h)), FaceFill(p, state, h));
      },
      [&p](int) { return Solid(p.Face); });
}

TSkinImage SunkenEdge(const TSkinPalette& p) {
  // 1 normal, 2 pressed, 3 disabled, 4 hot or focused.
  return Strip(
      16, 16, 4,
      [&](TLayer& layer, int state) {
        Bordered(layer, 0, 0, 16, 16, 2.5, FieldBorder(p, state), Solid(state == 3 ? p.Face : p.Field));
      },
      [&p](int) { return Solid(p.Face); });
}

TSkinImage ExtraImages(const TSkinPalette& p) {
  // 1 to 4: the combo box arrow by combo state; 5: the status bar's size grip.
  return Strip(
      12, 12, 5,
      [&](TLayer& layer, int frame) {
        if (frame == 5) {
          for (int i = 0; i < 3; ++i) {
            for (int j = 0; j <= i; ++j) layer.Fill(Circle({10.0 - 3.5 * j, 10.0 - 3.5 * (i - j)}, 1.0), p.Border);
          }
          return;
        }
        uint32_t ink = frame == 3 ? p.TextDisabled : frame == 4 ? p.AccentDark : p.Glyph;
        layer.Fill(Chevron({6, 6.3}, 3.3, 3.3, 1, 1.6), ink);
      },
      [&p](int frame) -> TColourAt {
        if (frame == 5) return Solid(p.Face);
        return [&p, frame](int x, int y) { return FaceFill(p, frame, 21)(x, y + 4); };
      });
}

TSkinImage HeaderBar(const TSkinPalette& p) {
  const int w = 16, h = 22;
  // 1 normal (and the empty area), 2 hot, 3 pressed; 4 and 5 repeat the first.
  return Strip(w, h, 5, [&](TLayer& layer, int frame) {
    TColourAt fill = frame == 2 ? VerticalGradient(Mix(p.FaceLight, p.AccentLight, 0.6), p.AccentLight, 0, h)
                     : frame == 3 ? Solid(Mix(p.FaceDark, p.AccentLight, 0.35))
                                  : VerticalGradient(p.FaceLight, Mix(p.Face, p.FaceDark, 0.4), 0, h);
    layer.Fill(Box(0, 0, w, h), fill);
    layer.Fill(Box(w - 1, 4, w, h - 4), Mix(p.Border, p.Face, 0.3));
    layer.Fill(Box(0, h - 1, w, h), p.Border);
  });
}

TSkinImage MenuItem(const TSkinPalette& p) {
  const int w = 24, h = 20;
  // 1 normal (the menu's own background shows), 2 separator (its bottom rows are used), 4 selected.
  return Strip(
      w, h, 5,
      [&](TLayer& layer, int frame) {
        if (frame == 2) layer.Fill(Box(4, h - 5, w - 4, h - 4), p.MenuBorder);
        if (frame == 4) layer.Fill(RoundedRect(1, 1, w - 1, h - 1, 3.5), p.Selection);
      },
      [&p](int) { return Solid(p.MenuBack); });
}

TSkinImage MenuBackground(const TSkinPalette& p) {
  return Strip(16, 16, 1, [&](TLayer& layer, int) { Bordered(layer, 0, 0, 16, 16, 0, p.MenuBorder, Solid(p.MenuBack)); });
}

TSkinImage ScrollBarParts(const TSkinPalette& p) {
  const int s = 17;
  // 1-16: left, right, up and down arrows, each normal, pressed, disabled, hot; 17-19 and 20-22:
  // the grips of a horizontal and a vertical thumb (normal, pressed, hot); 23 is not shown.
  auto thumb = [&p](int state) { return state == 2 ? p.ThumbPressed : state == 3 ? p.ThumbHot : p.Thumb; };
  return Strip(
      s, s, 23,
      [&](TLayer& layer, int frame) {
        if (frame <= 16) {
          int direction = (frame - 1) / 4, state = (frame - 1) % 4;  // directions in frame order: left, right, up, down
          static const int kChevron[] = {2, 3, 0, 1};
          if (state == 1) layer.Fill(RoundedRect(1.5, 1.5, s - 1.5, s - 1.5, 3), p.ThumbPressed);
          if (state == 3) layer.Fill(RoundedRect(1.5, 1.5, s - 1.5, s - 1.5, 3), Mix(p.Face, p.ThumbHot, 0.45));
          uint32_t ink = state == 2 ? p.BorderDisabled : state == 1 ? p.OnAccent : p.Glyph;
          layer.Fill(Chevron({8.5, 8.5}, 3.4, 3.4, kChevron[direction], 1.6), ink);
        } else if (frame <= 22) {
          bool vertical = frame >= 20;
          uint32_t ink = Mix(thumb(vertical ? frame - 19 : frame - 16), p.Face, 0.55);
          for (int i = -1; i <= 1; ++i) {
            double at = 8.5 + 2.5 * i;
            layer.Fill(vertical ? Box(6, at - 0.5, 11, at + 0.5) : Box(at - 0.5, 6, at + 0.5, 11), ink);
          }
        }
      },
      [&](int frame) {
        if (frame >= 17 && frame <= 22) return Solid(thumb(frame >= 20 ? frame - 19 : frame - 16));
        int state = (frame - 1) % 4;
        return Solid(state == 1 ? p.ThumbPressed : state == 3 ? Mix(p.Face, p.ThumbHot, 0.45) : p.Face);
      });
}

TSkinImage ScrollTrack(const TSkinPalette& p, bool vertical) {
  int w = vertical ? 17 : 20, h = vertical ? 20 : 17;
  // 1 enabled, 3 disabled; 2 and 4 repeat them.
  return Strip(w, h, 4, [&](TLayer& layer, int frame) {
    layer.Fill(Box(0, 0, w, h), frame % 2 ? p.Track : Mix(p.Track, p.Face, 0.6));
  });
}

TSkinImage ScrollThumb(const TSkinPalette& p, bool vertical) {
  int w = vertical ? 17 : 24, h = vertical ? 24 : 17;
  // 1 normal, 2 pressed, 3 hot.
  return Strip(
      w, h, 3,
      [&](TLayer& layer, int frame) {
        uint32_t fill = frame == 2 ? p.ThumbPressed : frame == 3 ? p.ThumbHot : p.Thumb;
        layer.Fill(vertical ? RoundedRect(4, 1, 13, h - 1, 4.5) : RoundedRect(1, 4, w - 1, 13, 4.5), fill);
      },
      [&p](int) { return Solid(p.Track); });
}

TSkinImage TrackBarThumb(const TSkinPalette& p, TThumbShape shape) {
  // Designed pointing down (11 x 19) or as a plain bar (11 x 21), then turned.
  bool pointed = shape != TThumbShape::Horz && shape != TThumbShape::Vert;
  int length = pointed ? 19 : 21;
  bool across = shape == TThumbShape::Vert || shape == TThumbShape::Left || shape == TThumbShape::Right;
  int w = across ? length : 11, h = across ? 11 : length;
  auto turn = [shape, length](TPoint q) -> TPoint {
    switch (shape) {
      case TThumbShape::Up:
        return {q.X, length - q.Y};
      case TThumbShape::Right:
      case TThumbShape::Vert:
        return {q.Y, q.X};
      case TThumbShape::Left:
        return {length - q.Y, q.X};
      default:
        return q;
    }
  };
  auto outline = [&](double inset) {
    std::vector<TPoint> points;
    if (pointed) {
      points = {{0.5 + inset, 0.5 + inset}, {10.5 - inset, 0.5 + inset}, {10.5 - inset, 13 - inset * 0.4},
                {5.5, 18.5 - inset * 1.4}, {0.5 + inset, 13 - inset * 0.4}};
    } else {
      points = {{0.5 + inset, 0.5 + inset}, {10.5 - inset, 0.5 + inset}, {10.5 - inset, 20.5 - inset}, {0.5 + inset, 20.5 - inset}};
    }
    for (TPoint& q : points) q = turn(q);
    return Polygon(points);
  };
  // 1 normal, 2 normal (the frame the track bar shows), 3 hot, 4 pressed, 5 disabled.
  return Strip(
      w, h, 5,
      [&](TLayer& layer, int frame) {
        int state = frame == 3 ? 4 : frame == 4 ? 2 : frame == 5 ? 3 : 1;
        layer.Fill(outline(0), FaceBorder(p, state));
        layer.Fill(outline(1), FaceFill(p, state, across ? w : h));
      },
      [&p](int) { return Solid(p.Face); });
}

TSkinImage TrackBarChannel(const TSkinPalette& p, bool vertical) {
  int w = vertical ? 5 : 12, h = vertical ? 12 : 5;
  return Strip(w, h, 1, [&](TLayer& layer, int) { Bordered(layer, 0, 0, w, h, 2, p.Border, Solid(p.Track)); },
               [&p](int) { return Solid(p.Face); });
}

TSkinImage UpDownButtons(const TSkinPalette& p, bool horizontal) {
  int w = horizontal ? 11 : 16, h = horizontal ? 16 : 11;
  // Both buttons in the up-down states: 1 normal, 2 pressed, 3 disabled, 4 hot.
  return Strip(
      w, h, 8,
      [&](TLayer& layer, int frame) {
        int state = (frame - 1) % 4 + 1;
        Bordered(layer, 0, 0, w, h, 2, FaceBorder(p, state), FaceFill(p, state, h));
      },
      [&p](int) { return Solid(p.Face); });
}

TSkinImage UpDownGlyphs(const TSkinPalette& p, bool horizontal) {
  int w = horizontal ? 5 : 8, h = horizontal ? 8 : 5;
  return Strip(
      w, h, 8,
      [&](TLayer& layer, int frame) {
        int state = (frame - 1) % 4 + 1;
        int direction = horizontal ? (frame <= 4 ? 2 : 3) : (frame <= 4 ? 0 : 1);
        uint32_t ink = state == 3 ? p.TextDisabled : state == 4 ? p.AccentDark : p.Glyph;
        layer.Fill(Chevron({w / 2.0, h / 2.0}, 3, 2.6, direction, 1.4), ink);
      },
      [&](int frame) -> TColourAt {
        int state = (frame - 1) % 4 + 1;
        int offset = horizontal ? 4 : 3;
        TColourAt fill = FaceFill(p, state, horizontal ? 16 : 11);
        return [fill, offset](int x, int y) { return fill(x, y + offset); };
      });
}
