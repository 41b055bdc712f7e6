# Build, test and run the bug demo and its graphics package.
#   make run    build and start the demo
#   make test   build everything (also for Windows) and run the whole test suite (the Windows
#               part under Wine)
# Both install the Debian packages they need when they are missing.

BUILD ?= build
WINDOWS_BUILD ?= $(BUILD)/windows
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Debian packages the build and the tests need.
PACKAGES := cmake g++ make pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev \
            libpng-dev libgtest-dev fonts-liberation xfonts-base \
            libx11-dev libxkbcommon-x11-dev xkb-data xvfb xdotool
# The Windows build (mingw-w64, GoogleTest's sources) and running it (Wine, an X server for its
# windows, xdotool to type into them, xwd to look at them).
WINDOWS_PACKAGES := g++-mingw-w64-x86-64 googletest wine wine64 fonts-wine xvfb xauth xdotool \
                    x11-apps

.PHONY: all deps deps-windows build build-windows test run golden clean format

all: build

deps:
	@./tools/install-packages.sh $(PACKAGES)

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

deps-windows:
	@./tools/install-packages.sh $(WINDOWS_PACKAGES)

# The Windows tests compare with native programs: they are told where those are.
build-windows: deps-windows build
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	       -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DKORVA_NATIVE_BIN=$(abspath $(BUILD))/bin >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# Both suites run even when the first fails; Wine's windows need an X server of their own.
test: build build-windows
	@status=0; \
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) || status=1; \
	xvfb-run -a -s "-screen 0 1280x1024x24" \
	    ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -j $(JOBS) || status=1; \
	exit $$status

run: build
	@./$(BUILD)/bin/bugdemo

# Remakes the demo's golden frames and log after a deliberate change to its pictures.
golden: build
	@./tools/update-golden.sh $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)
