// Names for screen readers. Each control of the main window answers the
// accessibility request (WM_GETOBJECT) with the system's own accessible
// object wrapped, so that only its name (and the progress bar's value) is
// ours; where the system makes no object for a control (Wine makes none for
// edit boxes, buttons and drop-downs), the wrapper answers the role, state
// and place itself. Wrapping is the documented way that works on every
// system; the annotation service (IAccPropServices) is missing under Wine.
#pragma once

#include <windows.h>

namespace trellimux {

// After the controls are created.
void NameControlsForScreenReaders();

}  // namespace trellimux
