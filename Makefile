# Thin wrapper over CMake: `make run` and `make test` do the whole set-up on a fresh Debian 12.
BUILD ?= build
JOBS ?= 2

.PHONY: deps configure build run test bench fuzz clean

deps:
	@scripts/setup-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run.sh $(BUILD)/vexlor

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j$(JOBS)

clean:
	rm -rf $(BUILD)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/vexlor_bench

fuzz: deps
	fuzz/run.sh $(FUZZ_SECONDS)
