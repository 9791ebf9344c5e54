# Entry points: `make run` and `make test` work on a fresh Debian 12 machine.
JOBS ?= $(shell nproc)
DEV := build/dev
ASAN := build/asan
RELEASE := build/release
FUZZ := build/fuzz
FUZZ_SECONDS ?= 60
SOURCES = $(shell git ls-files '*.cpp' '*.h')

.PHONY: all deps build run test test-dev test-asan fuzz format format-check bench clean

all: build

deps:
	@bash scripts/install-deps

build: deps
	@cmake --preset dev >/dev/null
	@cmake --build $(DEV) -j$(JOBS)

run: build
	$(DEV)/src/app/zettelwerk

test: deps format-check test-dev test-asan fuzz

test-dev:
	@cmake --preset dev >/dev/null
	cmake --build $(DEV) -j$(JOBS)
	cd $(DEV) && ctest --output-on-failure -j$(JOBS)

test-asan:
	@cmake --preset asan >/dev/null
	cmake --build $(ASAN) -j$(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j$(JOBS)

# libFuzzer (clang) on the data file reader, the restore and the command line, FUZZ_SECONDS each.
fuzz: deps
	@cmake --preset fuzz >/dev/null
	cmake --build $(FUZZ) -j$(JOBS) --target fuzzers
	bash fuzz/run $(FUZZ_SECONDS)

format-check:
	@clang-format --dry-run --Werror $(SOURCES) && echo "clang-format: ok"

format:
	clang-format -i $(SOURCES)

bench: deps
	@cmake --preset release >/dev/null
	cmake --build $(RELEASE) -j$(JOBS) --target bench

clean:
	rm -rf build
