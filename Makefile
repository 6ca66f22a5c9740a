# The two set-up commands of README.md, plus a few helpers. Every target installs what it needs.
PRESET ?= default
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: deps build run demo test test-asan bench screenshots skin install package clean

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

bench: build
	for b in build/$(PRESET)/bench/*_bench; do $$b; done

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
