# A thin layer over the CMake presets; see README.md.
BUILD_PACKAGES := cmake ninja-build g++ zlib1g-dev libgtest-dev python3
TEST_PACKAGES := $(BUILD_PACKAGES) clang libclang-rt-14-dev unzip zip

.PHONY: all build demo test clean

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

clean:
	rm -rf build
