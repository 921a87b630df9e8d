# Two commands do everything on a fresh Debian machine:
#   make run   - install what is missing, build, start the game
#   make test  - the same, then the whole test suite
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: deps configure build run test test-orca bench package windows test-windows clean

deps:
	@bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

run: build
	"$(BUILD)/bin/カシコロ"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The game played by keyboard under the Orca screen reader, every utterance
# checked (tests/orca/). Installs its own packages first (tests/orca/install-deps).
test-orca: build
	bash tests/orca/run-orca-check $(BUILD) $(ORCA_ARGS)

# A Debian package of the game (build/kashikoro_<version>_<arch>.deb).
package: build
	cd $(BUILD) && cpack -G DEB

# The start-up benchmark starts the game and an empty Qt program in turn on a
# virtual display of its own.
bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKASHIKORO_BENCH=ON
	cmake --build build-bench --target kashikoro-bench stopwatch-accuracy kashikoro-startup
	cd build-bench && ./bin/kashikoro-bench && ./bin/stopwatch-accuracy 20
	cd build-bench && xvfb-run -a -s "-screen 0 1280x1024x24" ./bin/kashikoro-startup 20

# The Windows program: build-windows/kashikoro-<version>-windows-x64.zip, made
# here with MinGW-w64 and a Qt cross-built from Debian's own Qt source. The
# first run builds that Qt (most of an hour on two cores) and keeps it in
# ~/.cache/kashikoro; later runs reuse it.
windows: deps
	bash scripts/windows build

# The whole test suite built for Windows and run under Wine, offscreen.
test-windows: deps
	bash scripts/windows test

clean:
	rm -rf build build-asan build-bench build-windows
