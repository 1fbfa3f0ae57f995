# Drives CMake; CMake is the real build.
BUILD     ?= build
SAN_BUILD ?= build-sanitize
JOBS      ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps build test test-sanitize clean

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

clean: deps
	rm -rf $(BUILD) $(SAN_BUILD)
