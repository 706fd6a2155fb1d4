#pragma once

// The system's default sound. BeepCount() tells how many beeps the program has made.
void MessageBeep(unsigned type);
int BeepCount();
