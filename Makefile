# Two commands set up and use a fresh Debian 12 machine:
#   make run    installs what is missing, builds and starts the simulator
#   make test   installs what is missing, builds every configuration and runs every test
# Other targets: bench, screenshot, idle-cpu, measure, test-native, test-asan, test-windows, scene-diff,
# fuzz, deps, clean. Builds use the CMake presets (build/native, build/asan, build/windows,
# build/fuzz) and two jobs, the size of the machines this runs on; JOBS=n overrides.
# `make fuzz` runs every fuzz target (tests/fuzz/) for FUZZ_SECONDS each (default 600).
SHELL := /bin/bash
JOBS ?= 2
export JOBS

.PHONY: all deps configure native run test test-native test-asan test-windows test-tree test-fuzz \
        scene-diff fuzz bench screenshot idle-cpu measure clean

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

test: deps
	scripts/test-all.sh

test-native test-asan test-windows test-tree test-fuzz scene-diff: deps
	scripts/test-all.sh $(patsubst test-%,%,$@)

FUZZ_SECONDS ?= 600
fuzz: deps
	scripts/fuzz.sh $(FUZZ_SECONDS)

bench: deps
	scripts/run-benchmarks.sh

screenshot: deps
	@test -f scripts/screenshot.sh || { echo "scripts/screenshot.sh is not there yet"; exit 1; }
	bash scripts/screenshot.sh

idle-cpu: configure
	cmake --build --preset native --target windowprobe -j$(JOBS)
	scripts/measure-idle-cpu.sh build/native/tools/windowprobe/windowprobe

measure: configure
	cmake --build --preset native --target gyroscope -j$(JOBS)
	scripts/measure-simulator.sh build/native/app/gyroscope

clean:
	rm -rf build
