// Making the program's own directory the current one at start-up.
#pragma once

// Sets the process's current directory to runDirectory(); a failure is ignored.
void enterRunDirectory();
