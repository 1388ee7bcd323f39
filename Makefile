# What a player or developer needs: `make run`, `make test`, `make package`, `make install`.
# Each installs what the machine lacks first, then configures and builds what it needs, saying
# so in a line and keeping every step's output in build/<preset>/build.log (shown when one fails).
# `make bench` measures the Release build (BENCH_ARGS="--runs 9 --compare 'xclock'" and so on).
PRESET ?= default
BUILD_DIR := build/$(PRESET)
PREFIX ?= /usr/local
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
QUIETLY := scripts/quietly.sh $(BUILD_DIR)/build.log
# The first step of a run starts the log afresh; the others add to it.
QUIETLY_FIRST := scripts/quietly.sh --new $(BUILD_DIR)/build.log
# The npm packages the page's tests and benchmark drive Chromium with, as the lock file has them.
QUILLET_NPM_CI := scripts/quietly.sh $(BUILD_DIR)/build.log "Installing the npm packages (npm ci)" npm ci
# CMake's own makefiles run as sub-makes; their directory chatter says nothing to a player.
MAKEFLAGS += --no-print-directory

.PHONY: all game run test fuzz bench bench-web windows web package dist install uninstall clean

all: game

# The game alone: no test tools, no tests.
game:
	@scripts/setup.sh play
	@$(QUIETLY_FIRST) "Configuring the game ($(BUILD_DIR))" cmake --preset $(PRESET) -DBUILD_TESTING=OFF
	@$(QUIETLY) "Building the game" cmake --build --preset $(PRESET) -j $(JOBS) --target quillet

run: game
	@$(BUILD_DIR)/src/quillet

test:
	@scripts/setup.sh test
	@$(QUIETLY_FIRST) "Configuring the game and its tests ($(BUILD_DIR))" cmake --preset $(PRESET) -DBUILD_TESTING=ON
	@$(QUIETLY) "Building the game and its tests" cmake --build --preset $(PRESET) -j $(JOBS)
	@ctest --preset $(PRESET) -j $(JOBS)

# The .deb, in build/<preset>.
package: game
	@scripts/setup.sh package
	@$(QUIETLY) "Packing the .deb" cpack --config $(BUILD_DIR)/CPackConfig.cmake -B $(BUILD_DIR)
	@ls $(BUILD_DIR)/quillet_*.deb

# Keeps in build/<preset>/installed what `make uninstall` removes: the files and the folders it made.
install: game
	@scripts/install.sh $(BUILD_DIR) $(PREFIX) $(BUILD_DIR)/installed

uninstall:
	@scripts/uninstall.sh $(BUILD_DIR)/installed

# Each fuzz target for FUZZ_SECONDS under the sanitizers; a finding fails with its reproducer.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/setup.sh test
	@$(QUIETLY_FIRST) "Configuring the fuzz targets (build/fuzz)" cmake --preset fuzz
	@$(QUIETLY) "Building the fuzz targets" cmake --build --preset fuzz -j $(JOBS)
	@scripts/fuzz.sh build/fuzz $(FUZZ_SECONDS)

# The benchmark (never part of the tests), on the Release build in build/bench.
bench:
	@scripts/setup.sh bench
	@$(QUIETLY_FIRST) "Configuring the benchmark (build/bench)" cmake --preset bench
	@$(QUIETLY) "Building the game and the benchmark" cmake --build --preset bench -j $(JOBS) --target quillet quillet_bench
	@build/bench/bench/quillet_bench --json build/bench/bench-results.json $(BENCH_ARGS)

# The browser page's benchmark in headless Chromium and Firefox (BENCH_ARGS="--runs 9"), on the `make web` page.
bench-web: web
	@test -d node_modules/puppeteer-core || $(QUILLET_NPM_CI)
	@node bench/web/bench.mjs --json build/bench/web-results.json $(BENCH_ARGS)

# The Windows program, cross-built with mingw-w64: build/windows/src/quillet.exe and the zip beside it.
windows:
	@scripts/setup.sh windows
	@$(QUIETLY_FIRST) "Configuring the Windows build (build/windows)" cmake --preset windows
	@$(QUIETLY) "Building the Windows program and its zip" cmake --build --preset windows -j $(JOBS)
	@ls build/windows/src/quillet.exe build/windows/quillet-*-windows.zip

# The browser page, built with emscripten: build/web/quillet.html, one file that plays anywhere.
web:
	@scripts/setup.sh web
	@$(QUIETLY_FIRST) "Configuring the browser build (build/web)" cmake --preset web
	@$(QUIETLY) "Building the page" cmake --build --preset web -j $(JOBS) --target quillet
	@ls build/web/quillet.html

# Every artifact of the version, reproducibly, in build/dist: the .deb, the Windows zip, the
# browser page, the source tarball of the commit and SHA256SUMS.
dist:
	@scripts/setup.sh dist
	@scripts/dist.sh $(JOBS)

clean:
	rm -rf build
