# Two commands set up and use a fresh Debian 12 machine:
#   make run    installs what is missing, builds and starts the simulator
#   make lab    the same for gyroscope_lab, the heavy symmetric top integrated exactly
#   make test   installs what is missing, builds every configuration and runs every test
# Other targets: bench, bench-vs-wine, screenshot, idle-cpu, measure, test-native, test-asan, test-windows, scene-diff,
# install (PREFIX=dir), package, gallery, docs, deps, clean. Builds use the CMake presets
# (build/native, build/asan, build/windows) and two jobs, the size of the machines this runs on;
# JOBS=n overrides.
SHELL := /bin/bash
JOBS ?= 2
export JOBS

.PHONY: all deps native run lab test test-native test-asan test-windows scene-diff bench bench-vs-wine \
        screenshot idle-cpu measure install package gallery docs clean

all: native

deps:
	@scripts/setup-deps.sh

native: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native -j$(JOBS)

run: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native --target gyroscope -j$(JOBS)
	build/native/app/gyroscope

lab: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native --target gyroscope_lab -j$(JOBS)
	build/native/lab/gyroscope_lab

test: deps
	scripts/test-all.sh

test-native test-asan test-windows scene-diff: deps
	scripts/test-all.sh $(patsubst test-%,%,$@)

bench: deps
	scripts/run-benchmarks.sh

# The same call list timed natively and under Wine in one run, with ratios (a measurement).
bench-vs-wine: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native --target raster_timing -j$(JOBS)
	cmake --preset windows -DZG_WERROR=ON >/dev/null
	cmake --build --preset windows --target raster_timing -j$(JOBS)
	tools/scenes/timing-vs-wine.sh build/native build/windows

screenshot: deps
	@test -f scripts/screenshot.sh || { echo "scripts/screenshot.sh is not there yet"; exit 1; }
	bash scripts/screenshot.sh

idle-cpu: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native --target windowprobe -j$(JOBS)
	scripts/measure-idle-cpu.sh build/native/tools/windowprobe/windowprobe

measure: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native --target gyroscope -j$(JOBS)
	scripts/measure-simulator.sh build/native/app/gyroscope

# The libraries, headers, CMake package and pkg-config file into PREFIX (default /usr/local).
PREFIX ?= /usr/local
install: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native --target zorgraphics -j$(JOBS)
	cmake --install build/native --prefix "$(PREFIX)"

# The same tree as archives: build/native/packages/*.tar.gz and build/windows/packages/*.zip.
package: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native --target zorgraphics -j$(JOBS)
	cd build/native && cpack -G TGZ
	cmake --preset windows -DZG_WERROR=ON >/dev/null
	cmake --build --preset windows --target zorgraphics -j$(JOBS)
	cd build/windows && cpack -G ZIP

# Runs every example with its script and rewrites docs/examples/*.png from the snapshots.
gallery: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native --target zorgraphics_examples -j$(JOBS)
	scripts/gallery.sh update build/native/examples

# The HTML reference of the installed headers: build/native/docs/html/index.html.
docs: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native --target docs

clean:
	rm -rf build
