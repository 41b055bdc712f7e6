# Build, test and run the bug demo and its graphics package.
#   make run    build the demo (only the demo) and start it
#   make test   build everything (also for Windows) and run the whole test suite (the Windows
#               part under Wine)
#   make install [PREFIX=DIR]   builds the package's libraries (only those), then installs the
#                               package for client programs under DIR (default /usr/local)
#   make bench   builds and runs the benchmarks; prints every figure against its budget
#   make build-windows32, make test-windows32   the 32-bit Windows build, and its tests under
#                                               32-bit Wine
#   make deb        Debian packages of the package and the demo, in build/deb, checked by lintian
#   make test-deb   installs them on this machine, builds and runs a client against /usr, and
#                   removes them again (needs root or sudo)
#   make install-windows PREFIX=DIR   both Windows builds of the package, for programs
#                                     cross-built with mingw-w64; make test-install-windows
#                                     builds the examples against them and runs them under Wine
#   make web        the demo and the examples as web pages (WebAssembly), in build/web:
#                   bugdemo.html, ball.html, pad.html, ...
#   make serve-web  serves build/web on http://127.0.0.1:8000/ (open bugdemo.html there)
#   make install-web PREFIX=DIR   the web build of the package, for client programs built with
#                                 emcmake (see the README, "Your program in a web page")
# Robustness (each in a build directory of its own):
#   make test-sanitize   the native test suite built with AddressSanitizer and UBSan
#   make fuzz            each fuzz target for FUZZ_SECONDS (libFuzzer, clang); prints inputs/s
#   make fuzz-merge      what make fuzz found, minimized into the kept corpora (fuzz/*/corpus)
#   make fuzz-coverage   the kept corpora replayed with source coverage: gfx/ and platform/
#   make soak            SOAK_FRAMES frames recorded and played back, memory watched; and
#                        VALGRIND_FRAMES frames under valgrind
# All install the Debian packages they need when they are missing.

BUILD ?= build
WINDOWS_BUILD ?= $(BUILD)/windows
WINDOWS32_BUILD ?= $(BUILD)/windows32
DEB_BUILD ?= $(BUILD)/deb
SANITIZE_BUILD ?= $(BUILD)/sanitize
# Not $(BUILD)/fuzz: that is the native build's own folder for fuzz/ (its corpus replays).
FUZZ_BUILD ?= $(BUILD)/fuzzing
COVERAGE_BUILD ?= $(BUILD)/coverage
BUILD_TYPE ?= RelWithDebInfo
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := script draw events
SOAK_FRAMES ?= 100000
VALGRIND_FRAMES ?= 1000
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local

# Debian packages the build and the tests need.
PACKAGES := cmake g++ make pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev \
            libpng-dev libgtest-dev fonts-liberation xfonts-base \
            libx11-dev libxkbcommon-x11-dev xkb-data xvfb xdotool libbenchmark-dev \
            libgif-dev
# What the benchmarks need beyond PACKAGES: Cairo, the baseline the frame is measured against,
# and valgrind, which counts its instructions.
BENCH_PACKAGES := libcairo2-dev valgrind
# The Windows build (mingw-w64, GoogleTest's sources) and running it (Wine, an X server for its
# windows, xdotool to type into them, xwd to look at them).
WINDOWS_PACKAGES := g++-mingw-w64-x86-64 googletest wine wine64 fonts-wine xvfb xauth xdotool \
                    x11-apps

# The 32-bit Windows build: mingw-w64 for i686, and Wine's 32-bit half, which Debian ships for
# its i386 architecture (added to dpkg's first when missing).
WINDOWS32_COMPILER := g++-mingw-w64-i686
WINDOWS32_WINE := wine32:i386

# The web build: Emscripten (with Debian's acorn for its tools, which a Node.js that is not
# Debian's finds through NODE_PATH), FreeType's source (dpkg-source unpacks it), Chromium and
# its driver for the tests. The pages go to WEB_OUTPUT; the build itself lives beside it.
WEB_PACKAGES := emscripten node-acorn dpkg-dev chromium fonts-liberation xfonts-base
WEB_OUTPUT ?= $(BUILD)/web
WEB_BUILD ?= $(BUILD)/web-build
WEB_FREETYPE ?= $(BUILD)/web-freetype
WEB_PROGRAMS := bugdemo ball pad hello clock palette
WEB_PORT ?= 8000
emscripten = NODE_PATH=/usr/share/nodejs

# Making Debian packages (dpkg-shlibdeps finds the demo's library packages), checking them, and
# reading the test's pictures (python3).
DEB_PACKAGES := dpkg-dev lintian python3

# The fuzz targets (clang 14 with libFuzzer, llvm for coverage reports) and the soak (valgrind,
# python).
ROBUSTNESS_PACKAGES := clang libclang-rt-14-dev llvm valgrind python3

.PHONY: all deps deps-windows deps-bench deps-robustness build build-windows test test-sanitize \
        fuzz build-fuzz fuzz-merge fuzz-coverage soak run install golden bench clean format \
        deps-windows32 build-windows32 test-windows32 install-windows test-install-windows deps-deb \
        deb test-deb deps-web web serve-web install-web deps-web-tests

all: build

deps:
	@./tools/install-packages.sh $(PACKAGES)

.PHONY: configure web-configure
configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	       -DKORVA_WEB_PAGES=$(abspath $(WEB_OUTPUT)) -DKORVA_WEB_BUILD=$(abspath $(WEB_BUILD)) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

deps-windows:
	@./tools/install-packages.sh $(WINDOWS_PACKAGES)

# A Windows build: $(call windows_build,FOLDER,TOOLCHAIN FILE). Its tests compare with native
# programs: they are told where those are.
windows_configure = cmake -S . -B $(1) -DCMAKE_TOOLCHAIN_FILE=$(2) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
                          -DKORVA_NATIVE_BIN=$(abspath $(BUILD))/bin >/dev/null
windows_build = $(call windows_configure,$(1),$(2)) && cmake --build $(1) -j $(JOBS)
# A Windows build's tests under Wine, whose windows need an X server of their own.
windows_tests = xvfb-run -a -s "-screen 0 1280x1024x24" \
                    ctest --test-dir $(1) --output-on-failure -j $(JOBS)

build-windows: deps-windows build
	@$(call windows_build,$(WINDOWS_BUILD),cmake/mingw-w64.cmake)

# Both suites run even when the first fails. The native suite includes the web build's tests in
# Chromium.
test: build build-windows web deps-web-tests
	@status=0; \
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) || status=1; \
	$(call windows_tests,$(WINDOWS_BUILD)) || status=1; \
	exit $$status

# The 32-bit Windows build and its tests (the Windows suite, the smoke test of bugdemo.exe and
# the conformance check), in a 32-bit Wine prefix of its own.
# Debian's archive can be caught mid-sync with its i386 packages out of step with the amd64 ones
# already installed; 32-bit Wine then cannot be installed. The 32-bit build is still made and
# checked by the compiler, and the steps that run it say loudly that they did not.
deps-windows32: deps-windows
	@./tools/install-packages.sh $(WINDOWS32_COMPILER)
	@./tools/install-packages.sh $(WINDOWS32_WINE) || \
	    echo "NOTICE: 32-bit Wine ($(WINDOWS32_WINE)) could not be installed from Debian's archive"

build-windows32: deps-windows32 build
	@$(call windows_build,$(WINDOWS32_BUILD),cmake/mingw-w64-i686.cmake)

test-windows32: build-windows32
	@if ./tools/wine/has-wine32.sh; then $(call windows_tests,$(WINDOWS32_BUILD)); else \
	    echo "NOTICE: without 32-bit Wine the 32-bit Windows tests were NOT run (the build was made)"; fi

# Both Windows builds of the package under $(PREFIX): each in a folder named after its compiler's
# target, with its toolchain file in $(PREFIX)/share/korva. Only the library is built.
install-windows: deps-windows
	@./tools/install-packages.sh $(WINDOWS32_COMPILER)
	@$(call windows_configure,$(WINDOWS_BUILD),cmake/mingw-w64.cmake)
	@$(call windows_configure,$(WINDOWS32_BUILD),cmake/mingw-w64-i686.cmake)
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target korva_package
	@cmake --build $(WINDOWS32_BUILD) -j $(JOBS) --target korva_package
	@cmake --install $(WINDOWS_BUILD) --prefix $(PREFIX)
	@cmake --install $(WINDOWS32_BUILD) --prefix $(PREFIX)

test-install-windows: build-windows build-windows32
	@xvfb-run -a -s "-screen 0 1280x1024x24" tests/install/windows_install_test.sh \
	    $(BUILD)/install-windows $(WINDOWS_BUILD) $(WINDOWS32_BUILD)

deps-robustness:
	@./tools/install-packages.sh $(ROBUSTNESS_PACKAGES)

deps-web:
	@./tools/install-packages.sh $(WEB_PACKAGES)

# FreeType for WebAssembly from Debian's source, then the package for the web.
web-configure: deps-web
	@JOBS=$(JOBS) ./tools/web/build-freetype.sh $(WEB_FREETYPE)
	@$(emscripten) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release \
	    -DKORVA_WEB_FREETYPE=$(abspath $(WEB_FREETYPE))/install \
	    -DKORVA_WEB_OUTPUT=$(abspath $(WEB_OUTPUT)) -DKORVA_TESTS=OFF >/dev/null

web: web-configure
	@$(emscripten) cmake --build $(WEB_BUILD) -j $(JOBS) --target $(WEB_PROGRAMS)
	@echo "The pages are in $(WEB_OUTPUT): make serve-web, then open http://127.0.0.1:$(WEB_PORT)/bugdemo.html"

# The driver of Chromium for the web tests and benchmarks, from npm at the version its lock
# file pins (npm comes with Node.js, or is Debian's).
deps-web-tests: deps-web
	@command -v npm >/dev/null || ./tools/install-packages.sh npm
	@cd tests/web && { [ -d node_modules/playwright-core ] || npm ci --no-audit --no-fund --silent; }

serve-web: web
	@echo "Serving $(WEB_OUTPUT) on http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C ends)"
	@cd $(WEB_OUTPUT) && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

install-web: web-configure
	@$(emscripten) cmake --build $(WEB_BUILD) -j $(JOBS) --target korva_package
	@cmake --install $(WEB_BUILD) --prefix $(PREFIX)

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DKORVA_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)

build-fuzz: deps deps-robustness
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	       -DKORVA_FUZZ=ON -DKORVA_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS:%=fuzz_%)

# One target after the other, one job each; every target runs even when one fails. Each prints
# its inputs a second; what they find stays in $(FUZZ_BUILD)/fuzz-corpus until fuzz-merge.
fuzz: build-fuzz
	@status=0; for target in $(FUZZ_TARGETS); do \
	    ./fuzz/run.sh $(FUZZ_BUILD) $$target $(FUZZ_SECONDS) || status=1; \
	done; exit $$status

# The kept corpora (fuzz/*/corpus) minimized together with what make fuzz found.
fuzz-merge: build-fuzz
	@for target in $(FUZZ_TARGETS); do ./fuzz/merge.sh $(FUZZ_BUILD) $$target || exit 1; done

# The kept corpora replayed by a build with clang's source coverage: line coverage of gfx/ and
# platform/ (the real-window display backend left out), with an HTML report in
# $(COVERAGE_BUILD)/coverage.
fuzz-coverage: deps deps-robustness
	@CC=clang CXX=clang++ cmake -S . -B $(COVERAGE_BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	       -DKORVA_COVERAGE=ON -DKORVA_TESTS=OFF >/dev/null
	@cmake --build $(COVERAGE_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS:%=fuzz_%)
	@./fuzz/coverage.sh $(COVERAGE_BUILD) $(FUZZ_TARGETS)

soak: build deps-robustness
	@./tools/soak/soak.py --runner $(BUILD)/bin/bugdemo-headless --frames $(SOAK_FRAMES) \
	    --valgrind-frames $(VALGRIND_FRAMES)

# Each builds only what it delivers, not the tests.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target bugdemo
	@$(abspath $(BUILD))/bin/bugdemo

# The header, the libraries, the CMake package and the pkg-config files, under $(PREFIX).
install: configure
	@cmake --build $(BUILD) -j $(JOBS) --target korva_package
	@cmake --install $(BUILD) --prefix $(PREFIX)

deps-bench:
	@./tools/install-packages.sh $(BENCH_PACKAGES)

# The benchmarks run one at a time, each with repetitions (REPETITIONS=9 by default); the
# table's figures are medians. The build comes after the packages, so that Cairo is found.
bench: deps deps-bench web deps-web-tests
	@$(MAKE) --no-print-directory build
	@$(emscripten) cmake --build $(WEB_BUILD) -j $(JOBS) --target frame_page
	@./bench/run.sh $(BUILD)

# Remakes the pictures that tests compare with and the README shows, after a deliberate change to
# what is drawn.
golden: build
	@./tools/update-golden.sh $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)

# Debian packages: a build of their own for /usr, without the tests, compiled with Debian's
# flags with all its hardening (less -g: the static libraries are shipped as built); lintian
# must find no errors (its warnings are printed).
deps-deb:
	@./tools/install-packages.sh $(DEB_PACKAGES)

deb: deps deps-deb
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	flags() { echo $$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get $$1 | sed 's/-g //'); }; \
	cmake -S . -B $(DEB_BUILD)/build -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
	      "-DCMAKE_C_FLAGS=$$(flags CFLAGS)" "-DCMAKE_CXX_FLAGS=$$(flags CXXFLAGS)" \
	      "-DCMAKE_EXE_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS)" \
	      -DKORVA_TESTS=OFF -DKORVA_DEB_OUTPUT=$(abspath $(DEB_BUILD)) \
	      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
	@cmake --build $(DEB_BUILD)/build -j $(JOBS) --target korva_deb_contents
	@rm -f $(DEB_BUILD)/*.deb
	@cd $(DEB_BUILD)/build && cpack -G DEB
	@lintian --fail-on error $(DEB_BUILD)/*.deb

# Installs the packages on this machine with apt-get, builds and runs the README's program
# against /usr, and purges them again (with what apt-get installed for them).
test-deb: deb
	@./tests/deb/test_deb.sh $(DEB_BUILD)
