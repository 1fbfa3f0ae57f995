# Drives CMake; CMake is the real build.
BUILD     ?= build
SAN_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
TSAN_BUILD ?= build-tsan
FUZZ_SECONDS ?= 60
JOBS      ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps build test test-sanitize test-tsan memcheck fuzz fuzz-build clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The same suite with the address and undefined-behaviour sanitizers; any
# report fails the test that caused it.
test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DOVRABJT_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

# The end-to-end tests (the exports through the shared library) under
# valgrind's memcheck: any error or leak fails.
memcheck: build
	bash tests/memcheck.sh $(BUILD)

# The tests of concurrent calls under the thread sanitizer; any report fails.
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVRABJT_TSAN=ON $(CMAKE_ARGS)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target concurrency_tests xml_platform_threads_tests
	TSAN_OPTIONS=halt_on_error=1 $(TSAN_BUILD)/tests/frame/concurrency_tests
	TSAN_OPTIONS=halt_on_error=1 $(TSAN_BUILD)/tests/xml/xml_platform_threads_tests

# The fuzz targets, built with clang's libFuzzer and run FUZZ_SECONDS each.
fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVRABJT_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 $(CMAKE_ARGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target packed_ticket_fuzzer ovra_text_fuzzer \
	  kesp_fuzzer mediaprefs_fuzzer

fuzz: fuzz-build
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean: deps
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(TSAN_BUILD)
