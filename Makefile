# The two commands a player or developer needs: `make run` and `make test`.
# Both install what the machine lacks first, then configure and build.
# `make bench` measures the Release build (BENCH_ARGS="--runs 9 --compare 'xclock'" and so on).
PRESET ?= default
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# CMake's own makefiles run as sub-makes; their directory chatter says nothing to a player.
MAKEFLAGS += --no-print-directory

.PHONY: all setup configure build run test bench clean

all: build

setup:
	@scripts/setup.sh

configure: setup
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD_DIR)/src/quillet

test: build
	@ctest --preset $(PRESET) -j $(JOBS)

bench: setup
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS) --target quillet quillet_bench
	@build/bench/bench/quillet_bench --json build/bench/bench-results.json $(BENCH_ARGS)

clean:
	rm -rf build
