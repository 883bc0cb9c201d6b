# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The two commands a newcomer needs: `make run` and `make check`.
# Both install what is missing first and rebuild only what changed.

BUILD    := build
SANITIZE := build-sanitize
JOBS     := $(shell nproc 2>/dev/null || echo 2)
CMAKE    := cmake

.PHONY: run check bench build build-sanitize deps test-deps clean

run: deps build
	./$(BUILD)/vantu

# Every test on the release build, then the tests that need no X server
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
check: test-deps build build-sanitize
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	ctest --test-dir $(SANITIZE) --output-on-failure -j$(JOBS) -L 'unit|view'

# What one sweep of the spin loop costs, in the plain runtime and in Qt.
bench: deps build
	$(CMAKE) --build $(BUILD) --target vantu_bench -j$(JOBS)
	./$(BUILD)/vantu_bench

build: $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j$(JOBS)

build-sanitize: $(SANITIZE)/CMakeCache.txt
	$(CMAKE) --build $(SANITIZE) -j$(JOBS)

$(BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

$(SANITIZE)/CMakeCache.txt:
	$(CMAKE) -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=Debug -DVANTU_SANITIZE=ON

deps:
	scripts/install-deps

test-deps:
	scripts/install-deps --test

clean:
	rm -rf $(BUILD) $(SANITIZE)
