# Spirex: the two everyday commands are `make run` and `make test`; each installs what it needs
# and is missing first (scripts/bootstrap.sh run, scripts/bootstrap.sh test).

FUZZ_SECONDS ?= 600
BENCH_RUNS ?= 40

XVFB := xvfb-run -a -s "-screen 0 1024x768x24"
# Qt wants a private runtime folder; a fresh machine without a desktop session has none.
export XDG_RUNTIME_DIR ?= $(CURDIR)/build/runtime

.PHONY: all build run screenshots bench package test desktop-test fuzz format clean windows windows-test release

all: build

# What building and running need, and no more; the tests install the rest.
build:
	@bash scripts/bootstrap.sh run
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPIREX_BUILD_TESTS=OFF
	cmake --build build

# Starts Spirex. Without a display it plays the typical use on a virtual X display instead, and
# leaves pictures of each step in build/pictures/.
run: build
	@mkdir -p -m 700 "$(XDG_RUNTIME_DIR)"
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    build/spirex; \
	else \
	    echo "make run: no display (DISPLAY and WAYLAND_DISPLAY are unset): playing the typical use on a virtual X display (Xvfb) instead"; \
	    QT_QPA_PLATFORM=xcb $(XVFB) build/tools/spirex_typical_use build/pictures && \
	    echo "make run: pictures of each step are in build/pictures/"; \
	fi

# The README's picture of the window, as the program draws it on an X server.
screenshots: build
	@mkdir -p -m 700 "$(XDG_RUNTIME_DIR)"
	QT_QPA_PLATFORM=xcb $(XVFB) build/tools/spirex_typical_use build/screenshots
	cp build/screenshots/4-turns.png docs/spirex.png

# Start-up time to the first painted frame and peak memory, against a bare Qt window.
bench: build
	@mkdir -p -m 700 "$(XDG_RUNTIME_DIR)"
	QT_QPA_PLATFORM=xcb $(XVFB) /usr/bin/python3 scripts/bench.py build $(BENCH_RUNS)

# A Debian package of Spirex, in build/package/.
package: build
	cd build && cpack -G DEB -B package

test:
	@bash scripts/bootstrap.sh test
	bash scripts/run-tests.sh

# Spirex in a real GNOME Shell session on Debian 13, natively on Wayland and under XWayland, and on
# Debian 12 under XWayland, in roots made once in ~/.cache/spirex/desktop/; pictures in
# build/pictures/desktop/.
desktop-test:
	bash scripts/desktop-test.sh

# A longer fuzz run (FUZZ_SECONDS, default 600) of the number reader and the calculator.
fuzz:
	@bash scripts/bootstrap.sh test
	cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
	    -DSPIREX_SANITIZE=ON -DSPIREX_FUZZ=ON
	cmake --build build-san --target spirex_calculator_fuzz
	mkdir -p build-san/tests/fuzz-corpus
	build-san/tests/spirex_calculator_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build-san/ \
	    build-san/tests/fuzz-corpus tests/fuzz/seeds

# The Windows program, its zip build-windows/spirex-<version>-win64.zip and its installer
# build-windows/spirex-<version>-win64-setup.exe, against Qt base cross-built once from Debian's
# source into ~/.cache/spirex (the first run takes a while).
windows:
	@bash scripts/bootstrap.sh windows
	bash scripts/windows-qt.sh
	cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DSPIREX_BUILD_TESTS=ON \
	    -DCMAKE_TOOLCHAIN_FILE="$$(bash scripts/windows-qt.sh --prefix)/lib/cmake/Qt6/qt.toolchain.cmake" \
	    -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	    -DSPIREX_FONT_DIR="$$(bash scripts/windows-qt.sh --fonts)"
	cmake --build build-windows --target windows_zip

# The zip's program under Wine on a virtual X display: the typical use with real X input, the
# result read back, pictures of each step in build-windows/pictures/.
windows-test: windows build
	cmake --build build-windows --target spirex_typical_use spirex_gui_tests
	bash scripts/windows-test.sh

# A release from the committed sources: the Debian package, the Windows zip and installer and
# SHA256SUMS in dist/, the same bytes whoever builds them from the same commit.
release:
	@bash scripts/bootstrap.sh run windows dpkg-dev file
	bash scripts/release.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format-14 -i

clean:
	rm -rf build build-san build-win build-windows dist
