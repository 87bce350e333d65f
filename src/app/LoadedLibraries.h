#pragma once

// Under AddressSanitizer, keeps every shared library loaded so far mapped until the process ends.
// The GL driver that the context brought in is unloaded again by glfwTerminate; the memory it
// still holds then loses the globals that pointed to it and reaches the exit-time leak report as
// frames of an unknown module, which no suppression can name. Kept mapped, the driver's globals
// still point to that memory, as in a run that never unloads it, and a report that does name the
// driver would carry its library's name; leaks of the game's own code are reported as before.
// Does nothing in other builds.
void keepLoadedLibrariesMapped();
