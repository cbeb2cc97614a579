# Tessary: `make run` builds and starts the viewer on the demo models; `make test` builds
# and runs every test. Both install missing Debian packages first.

BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
SAMPLES := samples/models/corvane/lower.md3 samples/models/corvane/upper.md3 samples/models/corvane/head.md3

.PHONY: all deps configure build run test bench fuzz test-asan install clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the viewer is built for it; the tests and benchmarks wait for `make test` and `make bench`.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target tessary
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display found: start the viewer from a desktop session (or under xvfb-run)."; exit 1; fi
	$(BUILD)/tessary --base samples --light --link --fit --play --anim LEGS_WALK,TORSO_STAND2 $(SAMPLES)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/tessary_bench --benchmark_min_time=1

FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S . -B build-fuzz -DTESSARY_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build build-fuzz -j $(JOBS) --target Md3Fuzzer ImageFuzzer LightFileFuzzer AnimationConfigFuzzer SettingsFuzzer GameScriptFuzzer
	scripts/run-fuzzers.sh build-fuzz/fuzz $(FUZZ_SECONDS)

test-asan:
	$(MAKE) test BUILD=build-asan CMAKE_FLAGS="-DTESSARY_SANITIZE=ON -DTESSARY_BUILD_BENCH=OFF"

# PREFIX=DIR installs there instead of the configured prefix (for example PREFIX=~/.local).
install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf $(BUILD) build-asan build-fuzz fuzz/out
