#pragma once
// The stored description of one component as text, and the value forms its
// properties take there:
//
//   object FlatMenu1: TFlatMenu
//     DimLevel = 30
//     Font.Name = 'Tahoma'
//     FlatControls = [xcMainMenu, xcPopupMenu]
//   end
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/core/types.h"

namespace veilix {

struct TStoredProperty {
    std::string Name;   // "Color", or "Font.Height" for a part of a property
    std::string Value;  // as written
    friend bool operator==(const TStoredProperty&, const TStoredProperty&) = default;
};

struct TStoredObject {
    std::string Name;
    std::string ClassName;
    std::vector<TStoredProperty> Properties;
    friend bool operator==(const TStoredObject&, const TStoredObject&) = default;
};

std::string WriteStoredObject(const TStoredObject& object);
// Fails with EReadError on text that is not one object in this form.
TStoredObject ReadStoredObject(const std::string& text);

// Value forms. Readers fail with EReadError on a value not in their form.
std::string BooleanText(bool value);
bool BooleanFromText(const std::string& text);
std::string IntegerText(std::int64_t value);
std::int64_t IntegerFromText(const std::string& text, std::int64_t least, std::int64_t most);
// Quoted with ', a ' inside doubled.
std::string StringText(const std::string& value);
std::string StringFromText(const std::string& text);
// A colour's name where it has one (clBtnFace), else its signed 32-bit value.
std::string ColorText(TColor value);
TColor ColorFromText(const std::string& text);
// [name, name]: bit n of the set is names[n].
std::string SetText(std::uint32_t bits, std::span<const char* const> names);
std::uint32_t SetFromText(const std::string& text, std::span<const char* const> names);

}  // namespace veilix
