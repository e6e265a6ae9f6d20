// "Menü++": creates a further menu under the first free MenuFile name
// through the creation dialogue, or says that the MenuSet is full.
#include "editing/new_menu.h"

#include "editing/add_item.h"
#include "menufile/menu_set.h"
#include "session/pause.h"
#include "session/program.h"

namespace menue {

Next newMenu(Program& program) {
  const std::optional<std::string> name = program.menuSet.firstFreeName();
  if (!name) {
    program.state.currentMenuName = std::string(FirstMenuName);
    program.screen.printText(" Men\xFC Verzeichniss voll ..");
    pause(program);
    return Next::Done;
  }
  program.state.currentMenuName = *name;
  return addItem(program, program.state.inputLine);
}

}  // namespace menue
