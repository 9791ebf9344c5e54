# Entry points: `make run` and `make test` work on a fresh Debian 12 machine.
JOBS ?= $(shell nproc)
DEV := build/dev
ASAN := build/asan
RELEASE := build/release
FUZZ := build/fuzz
FUZZ_SECONDS ?= 60
SOURCES = $(shell git ls-files '*.cpp' '*.h')
PREFIX ?= /usr/local
# `make install` installs an optimised build; the install check of `make test` reuses the dev build.
INSTALL_PRESET ?= release

.PHONY: all deps build run test test-dev test-install test-asan fuzz fuzz-check fuzzers install package format format-check bench clean

all: build

deps:
	@bash scripts/install-deps

build: deps
	@cmake --preset dev >/dev/null
	@cmake --build $(DEV) -j$(JOBS)

run: build
	$(DEV)/src/app/zettelwerk

test: deps format-check test-dev test-install test-asan fuzz-check

test-dev:
	@cmake --preset dev >/dev/null
	cmake --build $(DEV) -j$(JOBS)
	cd $(DEV) && ctest --output-on-failure -j$(JOBS)

# Installs the dev build into a scratch folder and checks that every file is there, and no other.
test-install:
	@root=$$(mktemp -d) && trap 'rm -rf "$$root"' EXIT && \
	$(MAKE) --no-print-directory install INSTALL_PRESET=dev DESTDIR="$$root" PREFIX=/usr && \
	bash tests/dist/check-install.sh "$$root" && echo "install: ok"

test-asan:
	@cmake --preset asan >/dev/null
	cmake --build $(ASAN) -j$(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j$(JOBS)

fuzzers: deps
	@cmake --preset fuzz >/dev/null
	cmake --build $(FUZZ) -j$(JOBS) --target fuzzers

# The fuzzers as a test: the kept inputs, then a fixed seed and number of inputs, so the answer is
# the same on every run and machine.
fuzz-check: fuzzers
	bash fuzz/run check

# libFuzzer (clang) exploring on the data file reader and writer, the restore, the command line and
# the ICS reader, FUZZ_SECONDS each; what it finds goes to build/fuzz/artifacts.
fuzz: fuzzers
	bash fuzz/run explore $(FUZZ_SECONDS)

# Honours DESTDIR and PREFIX; asks sudo only when the target folder is not writable.
install: deps
	@cmake --preset $(INSTALL_PRESET) >/dev/null
	cmake --build build/$(INSTALL_PRESET) -j$(JOBS)
	@dir="$(DESTDIR)$(PREFIX)"; while [ ! -e "$$dir" ]; do dir=$$(dirname "$$dir"); done; \
	sudo=; if [ "$$(id -u)" -ne 0 ] && [ ! -w "$$dir" ]; then sudo=sudo; fi; \
	echo "$${sudo:+sudo }cmake --install build/$(INSTALL_PRESET) --prefix $(PREFIX)"; \
	$$sudo env DESTDIR="$(DESTDIR)" cmake --install build/$(INSTALL_PRESET) --prefix "$(PREFIX)"

# A .deb for Debian 12 in build/release.
package: deps
	@cmake --preset release >/dev/null
	cmake --build $(RELEASE) -j$(JOBS)
	cd $(RELEASE) && cpack -G DEB

format-check:
	@clang-format --dry-run --Werror $(SOURCES) && echo "clang-format: ok"

format:
	clang-format -i $(SOURCES)

bench: deps
	@cmake --preset release >/dev/null
	cmake --build $(RELEASE) -j$(JOBS) --target bench

clean:
	rm -rf build
