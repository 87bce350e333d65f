#pragma once

// Keeps the console readable after a fatal start-up error: prompts and waits for a key,
// but only when a person can answer; scripts and closed inputs return at once.
void pauseConsole();
