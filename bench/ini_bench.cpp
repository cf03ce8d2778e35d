// Parsing and reading a 2,000-section skin description.
#include <benchmark/benchmark.h>

#include <string>

#include "skin/data/quick_ini.h"

namespace {

const std::string& Description() {
  static const std::string text = [] {
    std::string t = "; generated description\r\n";
    for (int s = 0; s < 2000; ++s) {
      t += "[Section" + std::to_string(s) + "]\r\n";
      t += "Bitmap = image" + std::to_string(s) + ".bmp\r\n";
      t += "LeftWidth=" + std::to_string(s % 17) + "\r\nTopHeight=4\r\nRightWidth=0x0C\r\nBottomHeight=5\r\n";
      t += "Trans=1\r\nTile=0\r\nColor=12,34,56\r\nFrame=4\r\n";
    }
    return t;
  }();
  return text;
}

void BM_IniParse2000Sections(benchmark::State& state) {
  const std::string& text = Description();
  for (auto _ : state) {
    TMemoryStream stream(text.data(), text.size());
    TQuickIni ini;
    ini.LoadFromStream(&stream);
    benchmark::DoNotOptimize(ini.Lines().size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// Every key of every section read once, as a full skin load does.
void BM_IniReadAllKeys2000Sections(benchmark::State& state) {
  const std::string& text = Description();
  TMemoryStream stream(text.data(), text.size());
  TQuickIni ini;
  ini.LoadFromStream(&stream);
  for (auto _ : state) {
    int64_t sum = 0;
    for (int s = 0; s < 2000; ++s) {
      std::string section = "section" + std::to_string(s);
      sum += ini.ReadInteger(section, "LeftWidth", 0) + ini.ReadInteger(section, "RightWidth", 0);
      sum += ini.ReadString(section, "Bitmap", "").size() + ini.ReadInteger(section, "Frame", 1);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 2000 * 4);
}

}  // namespace

BENCHMARK(BM_IniParse2000Sections)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IniReadAllKeys2000Sections)->Unit(benchmark::kMillisecond);
