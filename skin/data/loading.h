// Reading a skin description into the skin component's elements and colours, in the loader's fixed
// order: colours before the readers that default to them, frame pieces before the caption colour,
// everything before the frame counts and the derived images.
#pragma once

#include <memory>
#include <string>

#include "skin/data/elements.h"

class TSkinData;
class TQuickIni;
class TSkinReader;
class TBitmap;

class TSkinLoader {
public:
  TSkinLoader(TSkinData& data, const TQuickIni& ini, const TSkinReader& reader) : FData(data), FIni(ini), FReader(reader) {}
  void LoadFromIni();

  // The image an image key names: its file-name part, only ".bmp" in lower case, found in the
  // archive by name; empty otherwise.
  void Readbmp(TBitmap& bitmap, const std::string& value) const;

private:
  std::string String(const std::string& section, const std::string& key, const std::string& fallback = "") const;
  int32_t Integer(const std::string& section, const std::string& key, int32_t fallback = 0) const;

  void ReadFramePieces();
  void ReadColours();
  void ReadColor2(TShemeColor member, const std::string& key, TSkinColor fallback);
  void ReadRGB(const std::string& section, const std::string& prefix, TSkinColor& colour) const;
  void ReadSysButton();
  void ReadButtons();
  void ReadTitle();
  void ReadMenuBar();
  void ReadTrack(std::unique_ptr<TDataSkinObject>& slot, const std::string& section);
  void SetFrame();
  void ReBuildCombobox();
  void ReBuildComboxArrow();
  void RebuildToolbar();

  // The generic readers: the slot is emptied, and filled only when the section names an image.
  void ReadObject(std::unique_ptr<TDataSkinObject>& slot, const std::string& section);
  void ReadObject2(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section, const std::string& secondKey);
  void ReadProgress(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section);
  void ReadBoxLabel(std::unique_ptr<TDataSkinBoxLabel>& slot, const std::string& section);
  void ReadCommon(TDataSkinObject& element, const std::string& section, bool withFrame) const;

  TSkinData& FData;
  const TQuickIni& FIni;
  const TSkinReader& FReader;
};
