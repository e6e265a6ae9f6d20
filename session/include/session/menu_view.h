// The menu of the current directory as the session shows it: loading and
// rewriting the current MenuFile with the damaged-file messages, drawing
// the whole menu screen, and paging to the next menu of the set.
#pragma once

#include <string>

#include "platform/platform.h"
#include "session/next.h"

namespace menue {

struct Program;

// Reads CurrentMenuName into the model; a damaged file is reported at the
// cursor and the pass goes on at the prompt step. A file gone by the time it
// is read leaves MenuPresent false. A file that `look` (the pass's look at
// its name; none: read) shows unchanged since the model's read is not read
// again: the trust of that same file stands.
Next loadCurrentMenu(Program& program, const PlainFileLook& look = {});
// Before an edit builds its text from the model: a model read only in
// part is read again whole; a file too large for that is refused with a
// message, and the pass starts afresh. An edit never cuts a file short.
Next wholeMenuForEdit(Program& program);
// Replaces the current MenuFile by newText, built from the model's text,
// and parses it, as loading does. A file another program has changed since
// it was read is left alone with a message; the edit then ends as one that
// wrote nothing (Continue) and the next pass shows the file as it is.
Next rewriteCurrentMenu(Program& program, std::string newText);
// The outcome of an edit's write or delete: a file that another program has
// changed since it was read, a link that leads to no file, and a file whose
// group, attributes or access list the new text could not keep are left
// alone with a message each (Continue: the edit ends as one that wrote
// nothing); other failures go to the error handler.
Next checkEditWrite(Program& program, PlatformCode result);
// Writes the text of a new current MenuFile the same way; one that another
// program created meanwhile is left alone with the same message.
Next createCurrentMenu(Program& program, std::string text);
// The whole menu screen: items, frame, footer, header and home label.
Next drawMenu(Program& program);
// CurrentMenuName becomes the next existing menu; the line is cleared.
void pageToNextMenu(Program& program);

}  // namespace menue
