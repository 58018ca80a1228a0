#pragma once

// Makes every class that a stored layout may name known to the class registry. The program, the tests and
// the benchmarks call it; a class joins stored layouts by a line here, in its folder's group.
void RegisterClasses();
