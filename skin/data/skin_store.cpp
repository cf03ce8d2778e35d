#include "skin/data/skin_store.h"

#include "framework/files.h"

const TClassInfo& TSkinCollectionItem::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinCollectionItem>("TSkinCollectionItem", &TCollectionItem::StaticClassInfo())
          .String("Name", &TSkinCollectionItem::Name, &TSkinCollectionItem::SetName)
          .String("SkinData", &TSkinCollectionItem::SkinData, &TSkinCollectionItem::SetSkinData)
          .Integer("DataSize", &TSkinCollectionItem::DataSize, static_cast<void (TSkinCollectionItem::*)(int32_t)>(nullptr))
          .Build();
  return info;
}

TSkinCollectionItem::TSkinCollectionItem(TCollection* collection, int32_t id)
    : TCollectionItem(collection), FName("SkinItem" + std::to_string(id)), FID(id) {}

void TSkinCollectionItem::SetName(const std::string& value) {
  if (value == FName) return;
  if (TCollection* collection = Collection()) {
    for (int i = 0; i < collection->Count(); ++i) {
      auto* other = static_cast<TSkinCollectionItem*>(collection->Items(i));
      if (other != this && other->FName == value) throw Exception("The name " + value + " is already used.");
    }
  }
  FName = value;
}

void TSkinCollectionItem::LoadFromFile(const std::string& fileName) {
  FDataStream.Clear();
  std::string bytes = ReadWholeFile(Utf8ToWide(fileName));
  FDataStream.Write(bytes.data(), bytes.size());
}

void TSkinCollectionItem::CopyData(TStream& stream) {
  uint64_t position = FDataStream.Position();
  FDataStream.SetPosition(0);
  stream.CopyFrom(FDataStream);
  FDataStream.SetPosition(position);
}

void TSkinCollectionItem::Assign(const TSkinCollectionItem& source) {
  if (&source == this) return;
  FName = source.FName;
  FDataStream.Clear();
  FDataStream.Write(source.FDataStream.Memory(), source.FDataStream.Bytes().size());
}

bool TSkinCollectionItem::ReadData(const std::string& name, const std::vector<uint8_t>& bytes) {
  if (name != "DataStream") return false;
  FDataStream.Clear();
  FDataStream.Write(bytes.data(), bytes.size());
  return true;
}

void TSkinCollectionItem::WriteData(std::vector<std::pair<std::string, std::vector<uint8_t>>>& properties) const {
  properties.emplace_back("DataStream", FDataStream.Bytes());
}

const TClassInfo& TSkinCollection::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinCollection>("TSkinCollection", &TCollection::StaticClassInfo()).Build();
  return info;
}

TSkinCollection::TSkinCollection()
    : TCollection([this](TCollection* owner) -> std::unique_ptr<TCollectionItem> {
        return std::make_unique<TSkinCollectionItem>(owner, FNextID++);
      }) {}

const TClassInfo& TSkinStore::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinStore>("TSkinStore", &TComponent::StaticClassInfo())
                                     .Object("Store", &TSkinStore::Store, &TSkinStore::SetStore)
                                     .Creatable()
                                     .Build();
  return info;
}

TSkinStore::TSkinStore(TComponent* owner) : TComponent(owner), FStore(std::make_unique<TSkinCollection>()) {}

void TSkinStore::SetStore(TSkinCollection* value) {
  if (!value || value == FStore.get()) return;
  FStore->Clear();
  for (int i = 0; i < value->Count(); ++i) FStore->Add()->Assign(*value->Item(i));
}
