# The two commands for a fresh machine: `make test` and `make run`.
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: bench test run build build32 build64 setup check-image clean fuzz

test: setup build
	@set -o pipefail; status=0; \
	scripts/wine-session start; \
	ctest --preset win64 -j1 || status=1; \
	scripts/wine-session stop; \
	scripts/check-image build/win32/orrel.exe || status=1; \
	exit $$status

# The launcher on the demo project under Wine; ARGS=... opens another location
# ({demo} in it stands for the demo server's address).
run: setup build64
	@python3 demo/run.py

setup:
	@scripts/bootstrap

build: build32 build64

build32:
	@[ -f build/win32/CMakeCache.txt ] || cmake --preset win32 >/dev/null
	cmake --build build/win32 -j$(JOBS)

build64:
	@[ -f build/win64/CMakeCache.txt ] || cmake --preset win64 >/dev/null
	cmake --build build/win64 -j$(JOBS)

# The shipped 32-bit program executed under the 32-bit Wine through an emulator;
# installs and registers what it needs (as root) the first time. After make test.
.PHONY: test32 sdk
test32: setup build
	@scripts/test32

# The module SDK, build/sdk/orrel-sdk/ and build/sdk/orrel-sdk.zip, from both builds.
sdk: build
	@scripts/make-sdk

check-image: build32
	scripts/check-image build/win32/orrel.exe

clean:
	-scripts/wine-session stop
	rm -rf build

# Benchmarks against their peers; rewrites bench/README.md (not part of the tests).
bench: setup build64
	python3 bench/run.py

# Long robustness runs: make fuzz N=<inputs per target> [SEED=<run seed>]; prints
# inputs per second per target. make test runs the same suite at its own size.
fuzz: setup build64
	scripts/wine-run build/win64/test_fuzz.exe $(if $(N),--inputs=$(N)) $(if $(SEED),--seed=$(SEED))
