# The README's commands. Each configures and builds as needed.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all build run test deps bench fuzz fuzz-regress sanitize clean package format-check tidy windows windows-test

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
	  $$(grep -v '^#' packaging/debian-build-deps)

# A Debian package of the installed program: $(BUILD)/sorario_<version>_<arch>.deb
package: build
	cd $(BUILD) && cpack -G DEB

# The test suite built with AddressSanitizer and UndefinedBehaviorSanitizer; any
# finding fails its test. Qt's own allocations leave no leak reports, so leak
# checking stays on.
ASAN_BUILD ?= build-asan
$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSORARIO_SANITIZE=ON

sanitize: $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# libFuzzer targets (clang): `make fuzz` runs each for FUZZ_SECONDS from its corpus
# in fuzz/corpus (FUZZ_MERGE=1 keeps what reaches new code there); `make
# fuzz-regress` runs each once over its committed corpus. A faster campaign without
# AddressSanitizer: FUZZ_BUILD=build-fuzz-ub FUZZ_SANITIZERS=undefined; without
# either: FUZZ_BUILD=build-fuzz-plain FUZZ_SANITIZERS=.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_SANITIZERS ?= address,undefined
$(FUZZ_BUILD)/build.ninja:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
	  "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g" -DSORARIO_FUZZ=ON -DSORARIO_BUILD_TESTS=OFF \
	  -DSORARIO_FUZZ_SANITIZERS=$(FUZZ_SANITIZERS)

fuzz: $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-regress: $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	fuzz/run.sh --regress $(FUZZ_BUILD)

bench: build
	cmake --build $(BUILD) --target benchmarks
	cd $(BUILD) && ./bench/sorario-bench
	cd $(BUILD) && ./bench/sorario-odt-bench
	cd $(BUILD) && ./bench/sorario-analysis-bench
	cd $(BUILD) && ./bench/sorario-kinds-bench
	cd $(BUILD) && ./bench/sorario-exchange-bench
	sh bench/print_bench.sh $(BUILD)/src/cli/sorario-cli 5 $(BUILD)/bench/sorario-window-bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) build-fuzz-ub build-fuzz-plain

# The sources as clang-format would write them; CI fails on any difference.
format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# clang-tidy (.clang-tidy) over the sources a change touches, since TIDY_BASE, that this
# build compiles (not the other platform's); CI fails on any finding.
TIDY_BASE ?= HEAD~1
tidy: $(BUILD)/build.ninja
	git diff --name-only --diff-filter=d $(TIDY_BASE) -- 'src/*.cpp' \
	  | while read -r f; do grep -q "/$$f\"" $(BUILD)/compile_commands.json && echo "$$f"; done \
	  | xargs -r clang-tidy -p $(BUILD) --quiet

# The Windows programs, cross-built with MinGW-w64 against a Qt for MinGW that
# packaging/windows/build-qt.sh builds once (cached in /var/cache/sorario), the Qt
# Test executables for Windows, the portable zip and the installer in $(WIN_BUILD).
WIN_BUILD ?= build-win
windows:
	JOBS=$(JOBS) sh packaging/windows/make-windows.sh $(WIN_BUILD)

# The suite of $(WIN_BUILD) under Wine, and the Linux and Windows outputs compared.
windows-test: windows build
	sh packaging/windows/test-wine.sh $(WIN_BUILD) $(BUILD)
