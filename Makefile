# The two commands of the README, the benchmarks and the checked builds.
BUILD ?= build
JOBS ?= $(shell nproc)
# Seconds each fuzz target runs in make fuzz-run.
FUZZ_TIME ?= 600

.PHONY: all deps configure build program run test bench sanitize fuzz fuzz-run clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The program alone: the tests and benchmarks are built by `make test`.
program: configure
	@cmake --build $(BUILD) -j $(JOBS) --target zk_program

run: program
	@scripts/language-from-locale $(BUILD)/program
	cd $(BUILD)/program && ./zentrika40

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@set -e; for b in $(BUILD)/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b"; fi; done

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZK_SANITIZE=ON >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The fuzz targets of tests/fuzz as libFuzzer binaries (clang), and a run of
# each for FUZZ_TIME seconds that adds what it finds to a work folder.
fuzz:
	@ZK_FUZZ=1 scripts/install-deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DZK_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_all

fuzz-run: fuzz
	@for f in build-fuzz/tests/fuzz/fuzz_*; do \
	  [ -f "$$f" ] && [ -x "$$f" ] || continue; \
	  name=$${f##*/fuzz_}; mkdir -p build-fuzz/work/$$name; \
	  QT_QPA_PLATFORM=offscreen $$f -max_total_time=$(FUZZ_TIME) -artifact_prefix=build-fuzz/work/ \
	    build-fuzz/work/$$name tests/fuzz/corpus/$$name || exit 1; \
	done

clean:
	rm -rf $(BUILD)
