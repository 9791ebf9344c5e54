# Entry points: `make run` and `make test` work on a fresh Debian 12 machine.
JOBS ?= $(shell nproc)
DEV := build/dev
ASAN := build/asan
RELEASE := build/release
SOURCES = $(shell git ls-files '*.cpp' '*.h')

.PHONY: all deps build run test test-dev test-asan format format-check bench fuzz clean

all: build

deps:
	@bash scripts/install-deps

build: deps
	@cmake --preset dev >/dev/null
	@cmake --build $(DEV) -j$(JOBS)

run: build
	$(DEV)/src/app/zettelwerk

test: deps format-check test-dev test-asan

test-dev:
	@cmake --preset dev >/dev/null
	cmake --build $(DEV) -j$(JOBS)
	cd $(DEV) && ctest --output-on-failure -j$(JOBS)

test-asan:
	@cmake --preset asan >/dev/null
	cmake --build $(ASAN) -j$(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j$(JOBS)

format-check:
	@clang-format --dry-run --Werror $(SOURCES) && echo "clang-format: ok"

format:
	clang-format -i $(SOURCES)

bench: deps
	@cmake --preset release >/dev/null
	cmake --build $(RELEASE) -j$(JOBS) --target bench

# libFuzzer on the ICS reader (clang); new inputs it finds stay in build/fuzz/corpus.
FUZZ_SECONDS ?= 120
fuzz: deps
	@cmake --preset fuzz >/dev/null
	cmake --build build/fuzz -j$(JOBS) --target fuzz_icsreader
	mkdir -p build/fuzz/corpus
	build/fuzz/tests/import/fuzz_icsreader -max_total_time=$(FUZZ_SECONDS) -timeout=5 build/fuzz/corpus tests/data/ics

clean:
	rm -rf build
