#pragma once
// The life of the process, from start-up to exit code.

// Brings the platform up, starts the program's own module, has
// `create_forms` create the program's windows (the first becomes the main
// window), runs the event loop, and takes everything down again in reverse
// order. Returns the exit code: 0 after a normal end, 1 after an error that
// escaped outside the event loop (reported in the last-resort box), 217 after
// a failure of the platform's own start-up.
int RunProgram(int argc, char** argv, void (*create_forms)());
