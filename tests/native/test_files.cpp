#include "tests/native/test_files.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

std::string TestDataPath(const std::string& relative) { return std::string(CORVALE_TESTDATA_DIR) + "/" + relative; }

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

TScratchDir::TScratchDir() {
  static std::atomic<int> counter{0};
  std::random_device random;
  FPath = std::filesystem::temp_directory_path() /
          ("corvale-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(FPath);
}

TScratchDir::~TScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(FPath, ignored);
}

std::string TScratchDir::Path(const std::string& name) const {
  return name.empty() ? FPath.string() : (FPath / name).string();
}
