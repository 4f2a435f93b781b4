#pragma once
// "Test File": a synthetic plot file of about 3000 points, a random walk over falling distances.
#include <string>

// The bytes of "test.txt": x from 24304 down to -2000 in steps of -8.768 (a Single, as the loop
// counts), y a walk from 5 by steps of -5 to +5, each line "x,y" with two decimals and CR LF. The
// random sequence is seeded once per program run and goes on from call to call.
std::string TestFileText();
