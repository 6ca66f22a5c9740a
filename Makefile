# The two set-up commands of README.md, plus a few helpers. Every target installs what it needs.
PRESET ?= default
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: deps build run demo test test-asan fuzz bench screenshots skin install package clean

deps:
	scripts/install-deps

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	./build/$(PRESET)/src/app/varnel-config

demo: build
	./build/$(PRESET)/src/app/varnel-config-demo

test: build
	ctest --preset $(PRESET) -j $(JOBS)

test-asan:
	$(MAKE) test PRESET=asan

# Every fuzz target for FUZZ_TIME seconds (default 10 minutes each), two at a time; CI runs
# 30 seconds each. See "Reliability" in README.md.
FUZZ_TIME ?= 600
fuzz: deps
	FUZZ_TIME=$(FUZZ_TIME) fuzz/run

# One table of what users wait for and what the program costs; see docs/performance.md.
bench: build
	scripts/install-deps bench
	bench/run build/$(PRESET)

# Renders every page in every language to build/$(PRESET)/screenshots.
screenshots: build
	cmake --build build/$(PRESET) --target screenshots

# Redraws the committed skin pictures from tools/skin_painter.
skin: build
	cmake --build build/$(PRESET) --target regen_skin

# Installs the programs, udev rule, desktop entry, AppStream file, icons and manual pages under
# PREFIX (DESTDIR is honoured). Builds as the user first: `make build && sudo make install`.
install:
	@test -f build/$(PRESET)/CMakeCache.txt || $(MAKE) build
	cmake --build build/$(PRESET) -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install build/$(PRESET) --prefix "$(PREFIX)" --strip

# The Debian package, build/$(PRESET)/varnel-config_<version>_<arch>.deb, from the built tree.
package: build
	cpack --config build/$(PRESET)/CPackConfig.cmake -B build/$(PRESET)

clean:
	rm -rf build
