// Lets the events queued so far run inside a handler.
#pragma once

namespace halvoria {

// Runs the events queued so far, then returns; does not wait for new ones.
void DoEvents();

}  // namespace halvoria
