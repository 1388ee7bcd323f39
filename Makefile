# The two commands a player or developer needs: `make run` and `make test`.
# Both install what the machine lacks first, then configure and build.
PRESET ?= default
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# CMake's own makefiles run as sub-makes; their directory chatter says nothing to a player.
MAKEFLAGS += --no-print-directory

.PHONY: all setup configure build run test windows clean

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

# The Windows program, cross-built: build/windows/src/quillet.exe and the zip beside it.
windows: setup
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j $(JOBS)

clean:
	rm -rf build
