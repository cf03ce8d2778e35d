// LZH pack and unpack of the 320 KB archive vector: TLZH against the plain C-style version of the
// same algorithm, in one binary, on the same bytes. Both must produce identical output.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "bench/lzh_plain.h"
#include "skin/data/lzh.h"

namespace {

const std::vector<uint8_t>& Input(const char* name) {
  static std::vector<uint8_t> in, packed;
  std::vector<uint8_t>& target = std::string(name) == "in" ? in : packed;
  if (target.empty()) {
    std::ifstream file(std::string(CORVALE_TESTDATA_DIR) + "/lzh/archive320k." + name, std::ios::binary);
    target.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (target.empty()) throw std::runtime_error("missing archive320k test vector");
  }
  return target;
}

void CheckSame(benchmark::State& state, const std::vector<uint8_t>& ours, const std::vector<uint8_t>& expected) {
  if (ours != expected) state.SkipWithError("output differs from the expected bytes");
}

void BM_LzhUnpack_Ours(benchmark::State& state) {
  const auto& packed = Input("lzh");
  std::vector<uint8_t> out;
  for (auto _ : state) {
    TMemoryStream source(packed.data(), packed.size()), plain;
    TLZH::Decompress(source, plain);
    out = plain.TakeBytes();
    benchmark::DoNotOptimize(out.data());
  }
  CheckSame(state, out, Input("in"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Input("in").size()));
}

void BM_LzhUnpack_Plain(benchmark::State& state) {
  const auto& packed = Input("lzh");
  std::vector<uint8_t> out;
  for (auto _ : state) {
    out = PlainLzhUnpack(packed);
    benchmark::DoNotOptimize(out.data());
  }
  CheckSame(state, out, Input("in"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Input("in").size()));
}

void BM_LzhPack_Ours(benchmark::State& state) {
  const auto& in = Input("in");
  std::vector<uint8_t> out;
  for (auto _ : state) {
    TMemoryStream source(in.data(), in.size()), packed;
    TLZH::Compress(source, packed);
    out = packed.TakeBytes();
    benchmark::DoNotOptimize(out.data());
  }
  CheckSame(state, out, Input("lzh"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

void BM_LzhPack_Plain(benchmark::State& state) {
  const auto& in = Input("in");
  std::vector<uint8_t> out;
  for (auto _ : state) {
    out = PlainLzhPack(in);
    benchmark::DoNotOptimize(out.data());
  }
  CheckSame(state, out, Input("lzh"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

}  // namespace

BENCHMARK(BM_LzhUnpack_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzhUnpack_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzhPack_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzhPack_Plain)->Unit(benchmark::kMillisecond);
