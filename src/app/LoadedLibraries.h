#pragma once

// Under AddressSanitizer, keeps every shared library loaded so far mapped until the process ends.
// The GL driver that the context brought in is unloaded again by glfwTerminate, so its
// allocations that outlive it would reach the exit-time leak report as frames of an unknown
// module, which no suppression can name. Kept mapped, they carry their library's name and the
// GL suppressions apply to them, while leaks of the game's own code are reported as before.
// Does nothing in other builds.
void keepLoadedLibrariesMapped();
