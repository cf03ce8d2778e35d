#include "skin/data/elements.h"

TDataSkinObject::TDataSkinObject(const std::string& name) : Map(std::make_unique<TBitmap>()), Name(name) {}

TDataSkinBorder::TDataSkinBorder(const std::string& name) : TDataSkinObject(name), Map2(std::make_unique<TBitmap>()) {}

TDataSkinButton::TDataSkinButton(const std::string& name)
    : TDataSkinObject(name), CheckMap(std::make_unique<TBitmap>()), RadioMap(std::make_unique<TBitmap>()) {}
