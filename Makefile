# Thin wrapper over CMake: `make run` and `make test` do the whole set-up on a fresh Debian 12.
BUILD ?= build
SANITIZED ?= build-asan
JOBS ?= 2
# intercept_tls_get_addr=0: without it LeakSanitizer's tracer crashed at the end of the test
# that pastes a JPEG, on a bogus dynamic TLS block ("Tracer caught signal 11"), on every run.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:intercept_tls_get_addr=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: deps configure build sanitized run test bench fuzz clean package

deps:
	@scripts/setup-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

# The same suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitized: deps
	@cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXLOR_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZED) -j$(JOBS)

run: build
	@scripts/run.sh $(BUILD)/vexlor

test: build sanitized
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 60 -j$(JOBS)
	cd $(SANITIZED) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen \
		ctest --output-on-failure --timeout 60 -j$(JOBS)

clean:
	rm -rf $(BUILD) $(SANITIZED) build-fuzz

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/vexlor_bench

fuzz: build
	BUILD=$(BUILD) fuzz/run.sh $(FUZZ_SECONDS)

# The Debian package from the release build: vexlor_<version>_<arch>.deb in this folder, in place
# of any earlier one.
package: build
	@rm -rf $(BUILD)/deb
	cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)/deb
	@rm -f vexlor_*.deb
	cp $(BUILD)/deb/vexlor_*.deb .
