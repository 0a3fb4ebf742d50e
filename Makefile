# Orbek: `make demo` shows a typical run, `make test` runs every test.
SHELL := /bin/bash
JOBS ?= 2

# Everything the build and the tests need, from Debian's packages.
PACKAGES := build-essential cmake clang-format libgtest-dev libgmock-dev libbenchmark-dev \
            mingw-w64 mingw-w64-tools libwine-dev wine wine64 xvfb xauth imagemagick

.PHONY: all deps native asan win32 win64 windows test demo bench format clean

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
	cmake --preset native >/dev/null
	cmake --build --preset native -j$(JOBS)

asan: deps
	cmake --preset native-asan >/dev/null
	cmake --build --preset native-asan -j$(JOBS)

win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 -j$(JOBS)

win64: deps
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j$(JOBS)

windows: win32 win64

test: native asan windows
	@tools/run-tests.sh

demo: native windows
	@examples/run_demo.sh

bench: native
	tools/bench-report.sh

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build dist
