// Colour arithmetic of the skin drawing: blending, the saturation measure and two-colour gradient
// tables with their cache. Pure code: colours are Windows COLORREF values (red in the low byte),
// already resolved when they named a system colour.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// C1 * W + C2 * (D - W) per channel, rounded, with D = 100 for weights below 100 and 1000 from 100
// on (a percentage or thousandths). Each channel keeps its low 8 bits, so weights outside 0..D wrap
// as they always have rather than saturate.
uint32_t MixColours(uint32_t c1, uint32_t c2, int32_t weight);

// How saturated a colour is, 0..255; dark colours (every channel below 160) count as 200 so that
// the toolbar gradient of a dark caption is lightened by a fixed amount.
int32_t GetHSV(uint32_t colour);

// The n colours of a gradient from c1 toward c2 (n >= 1). Entry 0 is c1; a falling channel may stop
// one step short of c2 because the rounding offset is added before truncating toward zero.
std::vector<uint32_t> GradientTable(int32_t n, uint32_t c1, uint32_t c2);

// The last sixteen gradient tables, replaced oldest first. A table is found again by its length and
// its first and last entries, which is why a table that stops short of c2 is always recomputed.
class TGradientCache {
public:
  static constexpr int kSlots = 16;

  const std::vector<uint32_t>& Table(int32_t n, uint32_t c1, uint32_t c2);
  // How many tables were computed so far (lookups that missed).
  int Computed() const { return FComputed; }

private:
  std::array<std::vector<uint32_t>, kSlots> FSlots;
  int FNext = 0;
  int FComputed = 0;
};

// The process-wide cache the gradient fill uses; it lives until the program ends.
TGradientCache& GradientCache();
