# Thin wrappers over scripts/ and CMake.
BUILD_DIR ?= build
ifeq ($(SANITIZE),1)
BUILD_DIR := build-sanitize
CMAKE_EXTRA := -DSANITIZE=ON
endif
JOBS ?= $(shell nproc)

.PHONY: deps configure build test clean

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_EXTRA)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 600

clean:
	rm -rf build build-sanitize
