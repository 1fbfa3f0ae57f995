# Drives CMake; CMake is the real build.
BUILD     ?= build
SAN_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
TSAN_BUILD ?= build-tsan
FUZZ_SECONDS ?= 60
JOBS      ?= $(shell nproc)
CMAKE_ARGS ?=

PREFIX    ?= /usr/local
# Every release; test-release builds in build-<release>.
RELEASES  = 3.0.15 3.1.07 3.2.01 10.0.06 3.6.09

.PHONY: all deps build demo install test test-sanitize test-release test-tsan memcheck fuzz \
	fuzz-build bench clean windows test-windows

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

# The tool alone, quietly; the example ticket to a packed ticket and back,
# what that made, a summary and what to try next.
demo: deps
	@CMAKE_ARGS="$(CMAKE_ARGS)" bash scripts/demo.sh $(BUILD) $(JOBS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The same suite with the address and undefined-behaviour sanitizers; any
# report fails the test that caused it.
test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DOVRABJT_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

# The shared library built for another release (RELEASE=3.0.15 by default),
# with the end-to-end tests of its exports.
RELEASE ?= 3.0.15
test-release: deps
	cmake -S . -B build-$(RELEASE) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVRABJT_RELEASE=$(RELEASE) $(CMAKE_ARGS)
	cmake --build build-$(RELEASE) -j $(JOBS) --target ovrabjt export_tests unload_test
	ctest --test-dir build-$(RELEASE) --output-on-failure -j $(JOBS) -L exports

# Measurements in an optimised build of their own; prints the table of
# results and how they compare with the XML library's floor.
BENCH_BUILD ?= build-bench
# Five repetitions of each measurement; the ratios use their medians.
BENCH_ARGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DOVRABJT_BUILD_BENCH=ON $(CMAKE_ARGS)
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target ovrabjt_bench
	$(BENCH_BUILD)/bench/ovrabjt_bench $(BENCH_ARGS)


# The end-to-end tests (the exports through the shared library) under
# valgrind's memcheck: any error or leak fails.
memcheck: build
	bash tests/memcheck.sh $(BUILD)

# The tests of concurrent calls under the thread sanitizer; any report fails.
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVRABJT_TSAN=ON $(CMAKE_ARGS)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target concurrency_tests xml_platform_threads_tests \
	  grammar_sharing_tests
	TSAN_OPTIONS=halt_on_error=1 $(TSAN_BUILD)/tests/frame/concurrency_tests
	TSAN_OPTIONS=halt_on_error=1 $(TSAN_BUILD)/tests/xml/xml_platform_threads_tests
	TSAN_OPTIONS=halt_on_error=1 $(TSAN_BUILD)/tests/xml/grammar_sharing_tests

# The fuzz targets, built with clang's libFuzzer and run FUZZ_SECONDS each.
fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVRABJT_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 $(CMAKE_ARGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target packed_ticket_fuzzer ovra_text_fuzzer \
	  kesp_fuzzer mediaprefs_fuzzer make_seeds

fuzz: fuzz-build
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# ovrabjt.dll, its import library, ovrabjt.exe and the tests, cross-built
# for 64-bit Windows with MinGW-w64 in build-windows/. The XML library is
# cross-built once into a cache outside the clone and reused.
WIN_BUILD ?= build-windows
WIN_TOOLCHAIN = cmake/mingw-w64-x86_64.cmake
WINE ?= /usr/lib/wine/wine64
windows:
	@bash scripts/install-deps.sh windows
	@xerces=$$(JOBS=$(JOBS) bash scripts/xerces-windows.sh $(WIN_TOOLCHAIN)) && \
	  cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(WIN_TOOLCHAIN) \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_PREFIX_PATH="$$xerces" \
	    -DOVRABJT_LINUX_BUILD=$(abspath $(BUILD)) $(CMAKE_ARGS)
	cmake --build $(WIN_BUILD) -j $(JOBS)

# The tests under Wine, through CTest, in a Wine prefix of the build's own;
# the first program made there creates it. The Linux build's conversions of
# the same tickets (in $(BUILD)) are what the DLL's are compared with.
test-windows: windows
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS) --target same_bytes
	WINEPREFIX=$(abspath $(WIN_BUILD))/wine WINEDEBUG=-all $(WINE) \
	  $(WIN_BUILD)/bin/ovrabjt.exe -V
	WINEPREFIX=$(abspath $(WIN_BUILD))/wine WINEDEBUG=-all \
	  ctest --test-dir $(WIN_BUILD) --output-on-failure -j $(JOBS)

# Every folder a target builds in; nothing is installed first.
clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(TSAN_BUILD) $(BENCH_BUILD) $(WIN_BUILD) \
	  $(addprefix build-,$(RELEASES))
