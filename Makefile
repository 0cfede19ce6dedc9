# Two commands set up and use a fresh Debian 12 machine:
#   make run    installs what is missing, builds and starts the simulator
#   make lab    the same for gyroscope_lab, the heavy symmetric top integrated exactly
#   make test   installs what is missing, builds every configuration and runs every test
#   make web    the programs compiled to WebAssembly as a static site in build/web/site
#   make serve-web   serves that folder on 127.0.0.1 (PORT=8000)
# Other targets: bench, bench-vs-wine, bench-vs-peers, screenshot, idle-cpu, measure, measure-web,
# test-native, test-asan, test-tsan, test-windows, test-web, scene-diff, format-check, fuzz,
# fuzz-scenes (N=count of random scenes, SEED=first seed),
# install (PREFIX=dir), package, gallery, docs, deps, clean. Builds use the CMake presets
# (build/native, build/asan, build/tsan, build/windows, build/fuzz) and two jobs, the size of the machines
# this runs on; JOBS=n overrides.
# `make fuzz` runs every fuzz target (tests/fuzz/ and the Win32 call fuzzer) for FUZZ_SECONDS each
# (default 600); `make fuzz-calls` the call fuzzer alone.
SHELL := /bin/bash
JOBS ?= 2
export JOBS

.PHONY: all deps configure native run lab test test-native test-asan test-tsan test-windows test-tree test-fuzz \
        web serve-web test-web measure-web \
        scene-diff format-check fuzz fuzz-calls fuzz-scenes bench bench-vs-wine bench-vs-peers screenshot idle-cpu measure install package icons gallery docs \
        clean

all: native

deps:
	@scripts/setup-deps.sh

# The native build's configure step, for every target below that builds natively.
configure: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null

native: configure
	cmake --build --preset native -j$(JOBS)

run: configure
	cmake --build --preset native --target gyroscope -j$(JOBS)
	build/native/app/gyroscope

lab: configure
	cmake --build --preset native --target gyroscope_lab -j$(JOBS)
	build/native/lab/gyroscope_lab

test: deps
	scripts/test-all.sh

test-native test-asan test-tsan test-windows test-tree test-fuzz test-web scene-diff: deps
	scripts/test-all.sh $(patsubst test-%,%,$@)

# The web build: emscripten, FreeType from the npm package (npm ci), every program as a page.
WEB_TARGETS = gyroscope gyroscope_lab $(patsubst %,example_%,$(shell sed -nE 's/^set\(ZG_EXAMPLES (.*)\)$$/\1/p' examples/CMakeLists.txt))
web: deps
	scripts/web-deps.sh
	NODE_PATH=/usr/share/nodejs cmake --preset web -DZG_WERROR=ON >/dev/null
	NODE_PATH=/usr/share/nodejs cmake --build --preset web --target $(WEB_TARGETS) -j$(JOBS)
	scripts/web-site.sh

PORT ?= 8000
serve-web: web
	@echo "serving build/web/site on http://127.0.0.1:$(PORT)/"
	python3 -m http.server $(PORT) --bind 127.0.0.1 --directory build/web/site

# Frame time, first frame and bytes of the pages against the native build, in one run.
measure-web: web configure
	cmake --build --preset native --target frame_bench lab_frame_bench -j$(JOBS)
	scripts/measure-web.sh

# Every C++ file laid out as .clang-format says (also part of make test).
format-check: deps
	scripts/format-check.sh

FUZZ_SECONDS ?= 600
fuzz: deps
	scripts/fuzz.sh $(FUZZ_SECONDS)
	$(MAKE) fuzz-calls

N ?= 500
SEED ?= 1
fuzz-scenes: configure
	cmake --build --preset native --target scene_render scene_compare -j$(JOBS)
	cmake --preset windows -DZG_WERROR=ON >/dev/null
	cmake --build --preset windows --target scene_render -j$(JOBS)
	scripts/fuzz-scenes.sh build/native build/windows $(N) $(SEED)

bench: deps
	scripts/run-benchmarks.sh

# The same call list timed natively and under Wine in one run, with ratios (a measurement).
bench-vs-wine: configure
	cmake --build --preset native --target raster_timing -j$(JOBS)
	cmake --preset windows -DZG_WERROR=ON >/dev/null
	cmake --build --preset windows --target raster_timing -j$(JOBS)
	tools/scenes/timing-vs-wine.sh build/native build/windows

# The same cases drawn by this library, cairo's image backend and SDL2's software renderer in one
# process, with ratios; once with the default raster threads, once on one (a measurement).
bench-vs-peers: configure
	cmake --build --preset native --target vs_peers -j$(JOBS)
	@echo "== default raster threads"
	ZG_DISPLAY=headless build/native/bench/vs_peers
	@echo "== ZG_RASTER_THREADS=1"
	ZG_DISPLAY=headless ZG_RASTER_THREADS=1 build/native/bench/vs_peers

screenshot: deps
	@test -f scripts/screenshot.sh || { echo "scripts/screenshot.sh is not there yet"; exit 1; }
	bash scripts/screenshot.sh

idle-cpu: configure
	cmake --build --preset native --target windowprobe -j$(JOBS)
	scripts/measure-idle-cpu.sh build/native/tools/windowprobe/windowprobe

measure: configure
	cmake --build --preset native --target gyroscope -j$(JOBS)
	scripts/measure-simulator.sh build/native/app/gyroscope

# The libraries, headers, CMake package and pkg-config file into PREFIX (default /usr/local), and
# under share/doc/zorgraphics/ the HTML reference, the examples and their pictures.
PREFIX ?= /usr/local
install: configure
	cmake --build --preset native --target zorgraphics -j$(JOBS)
	cmake --build --preset native --target docs -j$(JOBS)
	cmake --install build/native --prefix "$(PREFIX)"

# The library as archives (build/native/packages/zorgraphics-*.tar.gz, build/windows/packages/
# zorgraphics-*.zip) and the programs as downloads: gyroscope_*.deb and gyroscope-*-windows-*.zip.
package: configure
	cmake --build --preset native --target zorgraphics gyroscope gyroscope_lab program_files -j$(JOBS)
	cd build/native && cpack -G TGZ && cpack -G DEB -D ZG_PACKAGE=programs
	cmake --preset windows -DZG_WERROR=ON >/dev/null
	cmake --build --preset windows --target zorgraphics gyroscope gyroscope_lab -j$(JOBS)
	cd build/windows && cpack -G ZIP && cpack -G ZIP -D ZG_PACKAGE=programs

# Redraws the programs' icons the Windows build takes from packaging/icons.
icons: configure
	cmake --build --preset native --target program_files -j$(JOBS)
	cp build/native/programs/icons/gyroscope.ico build/native/programs/icons/gyroscope_lab.ico packaging/icons/

# Runs every example with its script and rewrites docs/examples/*.png from the snapshots.
gallery: configure
	cmake --build --preset native --target zorgraphics_examples -j$(JOBS)
	scripts/gallery.sh update build/native/examples

# The library's reference (build/native/docs/html/index.html: every call with an example and its
# picture, drawn at build time, and a tutorial) and the Win32 subset's, for contributors
# (build/native/docs/platform/html/index.html).
docs: configure
	cmake --build --preset native --target docs

# The Win32 call fuzzer in the sanitizer build for FUZZ_SECONDS (default 600), from FUZZ_SEED.
FUZZ_SEED ?= $(shell date +%s)
fuzz-calls: deps
	cmake --preset asan -DZG_WERROR=ON >/dev/null
	cmake --build --preset asan --target win32_call_fuzz -j$(JOBS)
	ZG_DISPLAY=headless LSAN_OPTIONS=suppressions=scripts/lsan.supp:print_suppressions=0 \
	  build/asan/tests/platform/fuzz/win32_call_fuzz --seconds $(FUZZ_SECONDS) --seed $(FUZZ_SEED)

clean:
	rm -rf build
