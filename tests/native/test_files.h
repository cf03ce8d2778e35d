// File helpers for tests: the shared test data folder and scratch folders that clean up after
// themselves.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

std::string TestDataPath(const std::string& relative);
std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> Bytes(const std::string& text);

// A fresh empty folder, removed with everything in it when the object goes.
class TScratchDir {
public:
  TScratchDir();
  ~TScratchDir();
  TScratchDir(const TScratchDir&) = delete;
  TScratchDir& operator=(const TScratchDir&) = delete;
  std::string Path(const std::string& name = "") const;

private:
  std::filesystem::path FPath;
};
