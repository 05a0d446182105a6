// The main window's control names by ID, for readable test messages and probe reports.
#pragma once

namespace rig {

// The name in app/controls.h for control ID `id`, or "?" for an ID that is not there.
const char* controlName(int id);

}  // namespace rig
