# The README's commands. Each configures and builds as needed.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all build run test deps bench fuzz sanitize clean package

all: build

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Opens the main window in the folder of the bundled sample question files.
run: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target sorario
	cd samples && ../$(BUILD)/src/app/sorario

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Debian packages for building, testing and printing (run as root).
deps:
	apt-get update
	DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
	  cmake ninja-build g++ make qt6-base-dev qt6-base-dev-tools libqt6printsupport6 \
	  qt6-qpa-plugins libgl-dev fonts-ipafont-mincho fonts-ipafont-gothic poppler-utils

# A Debian package of the installed program: $(BUILD)/sorario_<version>_<arch>.deb
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	cmake --build $(BUILD) --target benchmarks
	cd $(BUILD) && ./bench/sorario-bench

clean:
	rm -rf $(BUILD)
