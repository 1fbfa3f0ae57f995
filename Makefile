# Drives CMake; CMake is the real build.
BUILD     ?= build
SAN_BUILD ?= build-sanitize
JOBS      ?= $(shell nproc)
CMAKE_ARGS ?=

TOOL      = $(BUILD)/tools/ovrabjt/ovrabjt
DEMO_DIR  = $(BUILD)/demo

.PHONY: all deps build demo test test-sanitize clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

# The example ticket to a packed ticket and back, with the packed ticket's
# fields and the regenerated document.
demo: build
	@mkdir -p $(DEMO_DIR)
	@echo "== data/examples/ticket.xml -> $(DEMO_DIR)/ticket.bjt"
	$(TOOL) from-xml data/examples/ticket.xml -o $(DEMO_DIR)/ticket.bjt
	@echo "== $(DEMO_DIR)/ticket.bjt -> $(DEMO_DIR)/ticket.xml"
	$(TOOL) to-xml $(DEMO_DIR)/ticket.bjt -o $(DEMO_DIR)/ticket.xml
	@echo "== ovrabjt dump $(DEMO_DIR)/ticket.bjt"
	@$(TOOL) dump $(DEMO_DIR)/ticket.bjt
	@echo "== the regenerated document, $(DEMO_DIR)/ticket.xml"
	@cat $(DEMO_DIR)/ticket.xml && echo
	@echo "== ovrabjt check $(DEMO_DIR)/ticket.bjt"
	@$(TOOL) check $(DEMO_DIR)/ticket.bjt

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
