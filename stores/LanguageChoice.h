#pragma once

#include <string>
#include <string_view>

#include "stores/Stores.h"

namespace tg {

// One of "FR", "GB", "DE", "ITA", "ESP", exactly (letter case counts).
bool isLanguageCode(std::string_view code);

// Start-up opening of the language store: reads the stored code and puts "FR"
// in its place when the code, with its surrounding spaces removed, is none of
// the five. A missing or unreadable file gives a fresh store holding "FR".
void validateLanguageChoice(Stores& stores);

// Puts "FR" in the open store in place of a code that, with its surrounding
// spaces removed, is none of the five; a failure to save it is ignored.
void repairLanguageChoice(Stores& stores, const std::string& code);

// Champ1 of the first row of the language store, as it is stored; empty when
// it cannot be read.
std::string storedLanguageCode(Stores& stores);

}  // namespace tg
