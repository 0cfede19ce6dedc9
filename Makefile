# Two commands set up and use a fresh Debian 12 machine:
#   make run    installs what is missing, builds and starts the simulator
#   make test   installs what is missing, builds every configuration and runs every test
# Other targets: bench, screenshot, idle-cpu, measure, test-native, test-asan, test-windows, scene-diff,
# fuzz-scenes (N=count of random scenes, SEED=first seed), deps, clean. Builds use the CMake presets (build/native, build/asan, build/windows) and two
# jobs, the size of the machines this runs on; JOBS=n overrides.
SHELL := /bin/bash
JOBS ?= 2
export JOBS

.PHONY: all deps native run test test-native test-asan test-windows scene-diff bench screenshot \
        idle-cpu measure fuzz-scenes clean

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

test: deps
	scripts/test-all.sh

test-native test-asan test-windows scene-diff: deps
	scripts/test-all.sh $(patsubst test-%,%,$@)

N ?= 500
SEED ?= 1
fuzz-scenes: deps
	cmake --preset native -DZG_WERROR=ON >/dev/null
	cmake --build --preset native --target scene_render scene_compare -j$(JOBS)
	cmake --preset windows -DZG_WERROR=ON >/dev/null
	cmake --build --preset windows --target scene_render -j$(JOBS)
	scripts/fuzz-scenes.sh build/native build/windows $(N) $(SEED)

bench: deps
	scripts/run-benchmarks.sh

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

clean:
	rm -rf build
