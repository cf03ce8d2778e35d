// TSkinStore: several packed skin packages kept in a form's definition under names, so a program
// can switch skins at run time without skin files on disk.
#pragma once

#include <memory>
#include <string>

#include "framework/core/collection.h"
#include "framework/core/streams.h"

class TSkinCollection;

class TSkinCollectionItem : public TCollectionItem {
  CORVALE_DECLARE_CLASS()

public:
  TSkinCollectionItem(TCollection* collection, int32_t id);

  std::string Name() const { return FName; }
  // Names are unique within the collection (compared exactly): a taken name raises and stays unset.
  void SetName(const std::string& value);
  // A caption for a design-time editor; writing is ignored.
  std::string SkinData() const { return "Load Skin"; }
  void SetSkinData(const std::string&) {}
  int32_t DataSize() const { return static_cast<int32_t>(FDataStream.Size()); }
  int32_t ID() const { return FID; }

  void LoadFromFile(const std::string& fileName);
  // Appends the whole package to stream; this item's own position is kept.
  void CopyData(TStream& stream);
  void Assign(const TSkinCollectionItem& source);
  const TMemoryStream& DataStream() const { return FDataStream; }

  // "DataStream": the package bytes themselves.
  bool ReadData(const std::string& name, const std::vector<uint8_t>& bytes) override;
  void WriteData(std::vector<std::pair<std::string, std::vector<uint8_t>>>& properties) const override;

private:
  std::string FName;
  int32_t FID;
  TMemoryStream FDataStream;
};

class TSkinCollection : public TCollection {
  CORVALE_DECLARE_CLASS()

public:
  TSkinCollection();
  TSkinCollectionItem* Add() { return static_cast<TSkinCollectionItem*>(TCollection::Add()); }
  TSkinCollectionItem* Item(int index) const { return static_cast<TSkinCollectionItem*>(Items(index)); }

private:
  int32_t FNextID = 0;  // identifiers are handed out in creation order and never reused
};

class TSkinStore : public TComponent {
  CORVALE_DECLARE_CLASS()

public:
  explicit TSkinStore(TComponent* owner);
  TSkinCollection* Store() const { return FStore.get(); }
  // Copies the items of a collection; null is ignored.
  void SetStore(TSkinCollection* value);

private:
  std::unique_ptr<TSkinCollection> FStore;
};
