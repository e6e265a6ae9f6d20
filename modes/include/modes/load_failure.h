// Why a MenuFile that read does not load, in the checker's words.
#pragma once

#include <string>

#include "menufile/menu_model.h"
#include "platform/platform.h"

namespace menue {

// "menue: SHOWN:LINE: message" on `err`, the finding the checker finds
// first that stops the load, else its first error.
void writeFirstError(StandardStream& err, const std::string& shown, const MenuModel& model);

}  // namespace menue
