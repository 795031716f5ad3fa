# Thin wrappers over scripts/ and CMake.
BUILD_DIR ?= build
ifeq ($(SANITIZE),1)
BUILD_DIR := build-sanitize
CMAKE_EXTRA := -DSANITIZE=ON
endif
JOBS ?= $(shell nproc)

.PHONY: deps configure build test run run-standalone run-aicc fuzz bench clean

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_EXTRA)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 600

# The sample course from the sample course server, in the course page; SESSION=2
# plays the evaluation module. It waits for a person at a screen: without one,
# say so at once instead of waiting for clicks nobody can make.
SESSION ?= 1
run:
	$(if $(DISPLAY)$(WAYLAND_DISPLAY),,$(error make run needs a display (neither DISPLAY nor WAYLAND_DISPLAY is set)))
	@$(MAKE) --no-print-directory build
	./scripts/run-course $(BUILD_DIR) $(SESSION)

# The exercise engine's stand-alone mode on the sample exercises.
run-standalone:
	$(if $(DISPLAY)$(WAYLAND_DISPLAY),,$(error make run-standalone needs a display (neither DISPLAY nor WAYLAND_DISPLAY is set)))
	@$(MAKE) --no-print-directory build
	./scripts/run-sample $(BUILD_DIR)

# The sample course in the AICC launcher, launched by the sample course server
# playing a learning management system (MODULE=1202 or QUESTION=1213 for others).
run-aicc:
	$(if $(DISPLAY)$(WAYLAND_DISPLAY),,$(error make run-aicc needs a display (neither DISPLAY nor WAYLAND_DISPLAY is set)))
	@$(MAKE) --no-print-directory build
	./scripts/run-aicc $(BUILD_DIR)

# Builds the libFuzzer targets with clang (installed on request) and runs each
# for FUZZ_SECONDS seconds; see the README for running one target longer.
FUZZ_SECONDS ?= 60
fuzz:
	./scripts/install-deps --fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DBUILD_FUZZERS=ON -DBUILD_TESTING=OFF
	cmake --build build-fuzz -j $(JOBS) --target fuzzers
	./scripts/run-fuzzers build-fuzz $(FUZZ_SECONDS)

# Builds the benchmarks of bench/ in build-bench and runs them, each against its
# own baseline; not part of CI. See bench/README.md.
bench:
	./scripts/install-deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_BENCHMARKS=ON
	cmake --build build-bench -j $(JOBS) --target benchmarks
	./scripts/run-benchmarks build-bench

clean:
	rm -rf build build-sanitize build-fuzz build-bench
