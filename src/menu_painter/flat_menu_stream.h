#pragma once
// TFlatMenu in a stored description: its published properties in their
// declared order, each with how it is written and read back.
#include <functional>
#include <string>
#include <vector>

#include "platform/core/stored_object.h"

namespace veilix {

class TComponent;
class TFlatMenu;

struct TFlatMenuProperty {
    std::string Name;
    // Appends the property's lines; none when it is not stored.
    std::function<void(const TFlatMenu& menu, std::vector<TStoredProperty>& out)> Write;
    // Applies one line of the property; part is what follows "Name." (empty
    // for the property itself).
    std::function<void(TFlatMenu& menu, const std::string& part, const std::string& value)> Read;
};

const std::vector<TFlatMenuProperty>& FlatMenuProperties();

TStoredObject WriteFlatMenu(const TFlatMenu& menu);
// Applies the stored properties in their declared order, whatever the order
// of the lines, so Active takes effect after all the others. Fails with
// EReadError on an unknown property or a bad value.
void ReadFlatMenu(TFlatMenu& menu, const TStoredObject& object);
// Makes the painter an object describes, named and with its properties.
TFlatMenu* LoadFlatMenu(TComponent* owner, const TStoredObject& object);

}  // namespace veilix
