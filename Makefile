# The two commands a newcomer needs: `make run` and `make check`.
# Both install what is missing first and rebuild only what changed.

BUILD   := build
JOBS    := $(shell nproc 2>/dev/null || echo 2)
CMAKE   := cmake

.PHONY: run check build deps test-deps clean

run: deps build
	./$(BUILD)/vantu

check: test-deps build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

build: $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j$(JOBS)

$(BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

deps:
	scripts/install-deps

test-deps:
	scripts/install-deps --test

clean:
	rm -rf $(BUILD)
