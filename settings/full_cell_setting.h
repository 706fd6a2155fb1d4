#pragma once
#include "full_cell/full_cell.h"

// The full-cell choice, kept between runs in the settings (organisation and application
// "Vexlor"). With nothing stored, or a value no choice has, the picture model's own rule.
FullCell stored_full_cell();
void store_full_cell(FullCell choice);
