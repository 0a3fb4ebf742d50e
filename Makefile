# Orbek: `make demo` shows a typical run, `make test` runs every test.
SHELL := /bin/bash
JOBS ?= 2

# Everything the build and the tests need, from Debian's packages.
PACKAGES := build-essential cmake clang-format libgtest-dev libgmock-dev libbenchmark-dev \
            mingw-w64 mingw-w64-tools libwine-dev wine wine64 xvfb xauth imagemagick

# Builds print only their errors; the whole output of each stays in build/<preset>.log.
define build_preset
	@mkdir -p build
	@cmake --preset $(1) >build/$(1).log 2>&1 && \
	  cmake --build --preset $(1) -j$(JOBS) >>build/$(1).log 2>&1 || \
	  { grep -E 'error|Error' build/$(1).log | head -n 40; echo "build $(1) failed: see build/$(1).log"; exit 1; }
	@echo "built $(1)"
endef

.PHONY: all deps native asan win32 win64 windows test demo bench bench-wine format clean

all: native windows

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  export DEBIAN_FRONTEND=noninteractive; \
	  apt-get update -qq && apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	fi

native: deps
	$(call build_preset,native)

asan: deps
	$(call build_preset,native-asan)

win32: deps
	$(call build_preset,win32)

win64: deps
	$(call build_preset,win64)

windows: win32 win64

test: native asan windows
	@tools/run-tests.sh

demo: native windows
	@examples/run_demo.sh

bench: native
	@tools/bench-report.sh

bench-wine: windows
	@bench/wine_calls.sh

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build dist
