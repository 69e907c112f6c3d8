# A thin layer over the CMake presets; see README.md.
BUILD_PACKAGES := cmake ninja-build g++ zlib1g-dev libgtest-dev python3
TEST_PACKAGES := $(BUILD_PACKAGES) clang libclang-rt-14-dev unzip zip
FUZZ_PACKAGES := $(BUILD_PACKAGES) clang libclang-rt-14-dev

.PHONY: all build demo test fuzz clean

all: build

build:
	@scripts/ensure-packages $(BUILD_PACKAGES)
	cmake --preset host
	cmake --build --preset host

demo: build
	@scripts/run-demo build/host

test:
	@scripts/ensure-packages $(TEST_PACKAGES)
	cmake --preset host
	cmake --build --preset host
	ctest --preset host
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

# A bounded run (a minute) of the reader's fuzz target; findings land in build/fuzz/fuzz-findings.
fuzz:
	@scripts/ensure-packages $(FUZZ_PACKAGES)
	cmake --preset fuzz
	cmake --build --preset fuzz
	tests/fuzz/run_fuzz build/fuzz

clean:
	rm -rf build
