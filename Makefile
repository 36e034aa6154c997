# The two set-up commands: `make run` and `make test`. Both install what is missing first.
# A plain `make` builds the program.
.DEFAULT_GOAL := build
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/asan
TSAN_DIR := build/tsan
CMAKE_FLAGS := -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
# Leaks the GL and window-system stack keeps for the life of a process are accepted by module;
# every other leak fails the run. Thread-local storage is not scanned: GCC 12's LeakSanitizer
# crashes at exit walking the dynamic TLS of the GL driver's modules (depending on code layout),
# so the few system records held only there are named in the suppressions instead.
LSAN_ENV := LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0:use_tls=0
TEST_ENV := SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ZODERUD_TESTING=1 $(LSAN_ENV) \
            ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: deps build run test tsan bench install clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(RELEASE_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZODERUD_TESTS=OFF -DZODERUD_BENCHMARKS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build
	$(RELEASE_DIR)/zoderud

test: deps
	cmake -S . -B $(TEST_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DZODERUD_SANITIZE=ON -DZODERUD_BENCHMARKS=OFF
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && $(TEST_ENV) ctest --output-on-failure -j $(JOBS) --timeout 300

# The threading tests again under ThreadSanitizer.
tsan: deps
	cmake -S . -B $(TSAN_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DZODERUD_TSAN=ON -DZODERUD_BENCHMARKS=OFF
	cmake --build $(TSAN_DIR) -j $(JOBS)
	cd $(TSAN_DIR) && $(TEST_ENV) ctest --output-on-failure -j $(JOBS) --timeout 300 -L threads

bench: deps
	cmake -S . -B build/bench $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DZODERUD_TESTS=OFF
	cmake --build build/bench -j $(JOBS)
	for b in build/bench/benchmarks/bench_*; do SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy $(LSAN_ENV) $$b; done

# The fuzz targets of the file loaders (clang, libFuzzer), each run for FUZZ_SECONDS; not part of test.
.PHONY: fuzz
fuzz: deps
	tests/fuzz/fuzz.sh

install: build
	cmake --install $(RELEASE_DIR) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf build
