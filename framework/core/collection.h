// TCollection: an owned, ordered list of items of one class, each with published properties; stored
// in definitions as "< item ... end >".
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/core/classes.h"

class TCollection;

class TCollectionItem : public TPersistent {
  CORVALE_DECLARE_CLASS()

public:
  explicit TCollectionItem(TCollection* collection) : FCollection(collection) {}
  TCollection* Collection() const { return FCollection; }
  int Index() const;

private:
  TCollection* FCollection;
};

class TCollection : public TPersistent {
  CORVALE_DECLARE_CLASS()

public:
  using TItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection*)>;
  explicit TCollection(TItemFactory factory) : FFactory(std::move(factory)) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int index) const { return FItems[static_cast<size_t>(index)].get(); }
  TCollectionItem* Add();
  void Delete(int index);
  void Clear() { FItems.clear(); }
  // Copies the published properties of every item of other (items of the same class).
  void Assign(const TCollection& other);

private:
  TItemFactory FFactory;
  std::vector<std::unique_ptr<TCollectionItem>> FItems;
};
