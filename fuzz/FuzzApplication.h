#pragma once

// Gives the fuzz targets that make widgets the program's application object on the offscreen platform,
// with every layout class registered and the embedded files reachable. Safe to call more than once.
void StartFuzzApplication(int *argc, char ***argv);
