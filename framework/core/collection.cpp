#include "framework/core/collection.h"

const TClassInfo& TCollectionItem::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TCollection::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCollection>("TCollection", &TPersistent::StaticClassInfo()).Build();
  return info;
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  for (int i = 0; i < FCollection->Count(); ++i) {
    if (FCollection->Items(i) == this) return i;
  }
  return -1;
}

TCollectionItem* TCollection::Add() {
  FItems.push_back(FFactory(this));
  return FItems.back().get();
}

void TCollection::Delete(int index) {
  if (index >= 0 && index < Count()) FItems.erase(FItems.begin() + index);
}

void TCollection::Assign(const TCollection& other) {
  if (&other == this) return;
  Clear();
  for (int i = 0; i < other.Count(); ++i) {
    TCollectionItem* source = other.Items(i);
    TCollectionItem* target = Add();
    for (const TPropertyInfo* property : source->ClassInfo().AllProperties()) {
      const TPropertyInfo* same = target->ClassInfo().FindProperty(property->Name);
      if (!same || same->Kind != property->Kind || same->ReadOnly()) continue;
      switch (property->Kind) {
        case TPropertyKind::String: same->SetString(*target, property->GetString(*source)); break;
        case TPropertyKind::WideString: same->SetWide(*target, property->GetWide(*source)); break;
        case TPropertyKind::Object: if (same->SetObjectValue) same->SetObjectValue(*target, property->GetObjectValue(*source)); break;
        case TPropertyKind::Event: same->SetMethod(*target, property->GetMethod(*source)); break;
        default: if (same->SetOrdinal) same->SetOrdinal(*target, property->GetOrdinal(*source)); break;
      }
    }
    std::vector<std::pair<std::string, std::vector<uint8_t>>> data;
    source->WriteData(data);
    for (const auto& [name, bytes] : data) target->ReadData(name, bytes);
  }
}
