#include "skin/draw/colour_math.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t Channel(uint32_t colour, int shift) { return static_cast<int32_t>(colour >> shift & 0xFF); }

uint32_t Compose(int32_t red, int32_t green, int32_t blue) {
  return (static_cast<uint32_t>(red) & 0xFF) | (static_cast<uint32_t>(green) & 0xFF) << 8 |
         (static_cast<uint32_t>(blue) & 0xFF) << 16;
}

// Products wrap at 32 bits like the rest of the colour arithmetic instead of being undefined.
int32_t WrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

uint32_t MixColours(uint32_t c1, uint32_t c2, int32_t weight) {
  const int32_t d = weight < 100 ? 100 : 1000;
  const int32_t rest = static_cast<int32_t>(static_cast<uint32_t>(d) - static_cast<uint32_t>(weight));
  int32_t mixed[3];
  for (int i = 0; i < 3; ++i) {
    int32_t sum = WrapAdd(WrapAdd(WrapMul(Channel(c1, 8 * i), weight), WrapMul(Channel(c2, 8 * i), rest)), d / 2);
    mixed[i] = sum / d;
  }
  return Compose(mixed[0], mixed[1], mixed[2]);
}

int32_t GetHSV(uint32_t colour) {
  const int32_t red = Channel(colour, 0), green = Channel(colour, 8), blue = Channel(colour, 16);
  if (red < 160 && green < 160 && blue < 160) return 200;
  const int32_t high = std::max({red, green, blue});
  const int32_t low = std::min({red, green, blue});
  // The hue is never asked for; only the saturation is returned.
  const double saturation = high == 0 ? 0.0 : static_cast<double>(high - low) / high;
  return static_cast<int32_t>(std::nearbyint(saturation * 255.0));  // ties to even
}

std::vector<uint32_t> GradientTable(int32_t n, uint32_t c1, uint32_t c2) {
  std::vector<uint32_t> table;
  if (n < 1) return table;
  table.resize(static_cast<size_t>(n));
  int32_t first[3], delta[3];
  for (int c = 0; c < 3; ++c) {
    first[c] = Channel(c1, 8 * c);
    delta[c] = Channel(c2, 8 * c) - first[c];
  }
  if (n == 1) {
    table[0] = Compose(first[0] + delta[0] / 2, first[1] + delta[1] / 2, first[2] + delta[2] / 2);
    return table;
  }
  const int32_t d = n - 1, h = d / 2;
  for (int32_t i = 0; i < n; ++i) {
    int32_t value[3];
    for (int c = 0; c < 3; ++c) value[c] = first[c] + static_cast<int32_t>((h + int64_t{i} * delta[c]) / d);
    table[static_cast<size_t>(i)] = Compose(value[0], value[1], value[2]);
  }
  return table;
}

const std::vector<uint32_t>& TGradientCache::Table(int32_t n, uint32_t c1, uint32_t c2) {
  for (int slot = kSlots - 1; slot >= 0; --slot) {
    const std::vector<uint32_t>& table = FSlots[static_cast<size_t>(slot)];
    if (!table.empty() && static_cast<int64_t>(table.size()) == n && table.front() == c1 && table.back() == c2) {
      return table;
    }
  }
  std::vector<uint32_t>& fresh = FSlots[static_cast<size_t>(FNext)];
  fresh = GradientTable(n, c1, c2);
  FNext = (FNext + 1) % kSlots;
  ++FComputed;
  return fresh;
}

TGradientCache& GradientCache() {
  static TGradientCache cache;
  return cache;
}
