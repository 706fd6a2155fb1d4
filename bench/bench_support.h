#pragma once
#include "tests/unseen_view.h"
#include "tools/tool.h"
#include <benchmark/benchmark.h>

// Each measured operation "name" may stand beside "name/baseline" (the same bytes written in
// one call) and "name/naive" (a QPainter opened per canvas call); the run ends with the ratios.
#define VEXLOR_BENCH(fn, name) BENCHMARK(fn)->Name(name)->Unit(benchmark::kMicrosecond)

// Stripes of every colour, three pixels wide, over the whole picture.
void fill_with_stripes();

// Eight bands of eight sprites with random pixels, some expanded, multicolour or behind.
SpriteSet sixty_four_sprites();
