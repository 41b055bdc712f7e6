# Build, test and run the bug demo and its graphics package.
#   make run    build and start the demo
#   make test   build everything and run the whole test suite
# Both install the Debian packages they need when they are missing.

BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Debian packages the build and the tests need.
PACKAGES := cmake g++ make pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev \
            libpng-dev libgtest-dev fonts-liberation xfonts-base \
            libx11-dev libxkbcommon-x11-dev xkb-data xvfb xdotool

.PHONY: all deps build test run golden clean format

all: build

deps:
	@./tools/install-packages.sh $(PACKAGES)

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: build
	@./$(BUILD)/bin/bugdemo

# Remakes the demo's golden frames and log after a deliberate change to its pictures.
golden: build
	@./tools/update-golden.sh $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)
