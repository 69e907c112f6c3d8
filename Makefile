# A thin layer over the CMake presets; see README.md.
BUILD_PACKAGES := cmake ninja-build g++ zlib1g-dev libgtest-dev python3
TEST_PACKAGES := $(BUILD_PACKAGES) clang libclang-rt-14-dev unzip zip
FUZZ_PACKAGES := $(BUILD_PACKAGES) clang libclang-rt-14-dev
BENCH_PACKAGES := $(BUILD_PACKAGES) unzip zip time
PRODUCT_PACKAGES := $(BUILD_PACKAGES) g++-mingw-w64-i686-posix libz-mingw-w64-dev
# Cross compilers, zlib and GoogleTest's sources for Windows, and wine64 to run the tests.
WINDOWS_PACKAGES := $(BUILD_PACKAGES) g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
	libz-mingw-w64-dev googletest wine64

.PHONY: all build demo product test test-windows fuzz bench clean

all: build

build:
	@scripts/ensure-packages $(BUILD_PACKAGES)
	cmake --preset host
	cmake --build --preset host

demo: build
	@scripts/run-demo build/host

# The product, build/win32/launcher/korvantel-launcher.exe, carrying BUNDLE=path/to/bundle.zip
# or, without BUNDLE, the demo bundle, which the host build's make_bundle writes.
product:
	@scripts/ensure-packages $(PRODUCT_PACKAGES)
	$(if $(BUNDLE),,cmake --preset host && cmake --build --preset host --target make_bundle)
	cmake --preset win32 -DKORVANTEL_BUNDLE=$(if $(BUNDLE),$(abspath $(BUNDLE)))
	cmake --build --preset win32

test:
	@scripts/ensure-packages $(TEST_PACKAGES)
	cmake --preset host
	cmake --build --preset host
	ctest --preset host
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize
	@$(MAKE) --no-print-directory test-windows

# The Windows build's tests under wine64, and the inspection of the product built with the demo
# bundle; said plainly when they cannot run. The cross builds write their demo bundles with the
# host build's make_bundle.
test-windows:
	@if scripts/ensure-packages $(WINDOWS_PACKAGES); then \
	  $(MAKE) --no-print-directory product BUNDLE= && \
	  cmake --preset win64 && cmake --build --preset win64 && ctest --preset win64; \
	else \
	  echo "The Windows tests did NOT run: install the packages above to run them under wine64."; \
	fi

# A bounded run (a minute) of the reader's fuzz target; findings land in build/fuzz/fuzz-findings.
fuzz:
	@scripts/ensure-packages $(FUZZ_PACKAGES)
	cmake --preset fuzz
	cmake --build --preset fuzz
	tests/fuzz/run_fuzz build/fuzz

# Speed and memory against unzip, zip, cp and a shell script, with the targets; see bench/run_bench.
bench:
	@scripts/ensure-packages $(BENCH_PACKAGES)
	cmake --preset bench
	cmake --build --preset bench
	bench/run_bench build/bench

clean:
	rm -rf build
