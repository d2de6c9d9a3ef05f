# Set-up of a fresh machine: `make run` or `make test`.
BUILD ?= build
SAN_BUILD ?= build-san
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test sanitize fuzz bench clean windows test-windows test-windows-logic

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/bin && ./loomwork

test: build sanitize
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The logic and widget tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the run.
sanitize: deps
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DLOOMWORK_SANITIZE=ON -DLOOMWORK_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS) --target logic_tests main_window_test par_gen_editor_test dmx_editor_test boot_dialog_test soft_options_dialog_test window_texts_test \
	  caption_fit_test message_boxes_test markup_test keyboard_test level_strip_test sheet_conf_dialog_test
	cd $(SAN_BUILD) && ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure -j $(JOBS) -L unit

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

# libFuzzer needs clang; the targets run from fuzz/corpus for FUZZ_SECONDS each.
fuzz:
	@scripts/install-deps --fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DLOOMWORK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@scripts/run-fuzzers $(abspath $(FUZZ_BUILD)) $(FUZZ_SECONDS)

bench: build
	@scripts/run-benchmarks $(BUILD)

# Windows, cross-built here from Debian's source packages and tested under
# Wine. The libraries are built once into WIN_CACHE (Qt takes about half an
# hour on two cores); later runs reuse them.
WIN_CACHE ?= $(HOME)/.cache/loomwork-windows
WIN_BUILD ?= build-windows
WIN_LOGIC_BUILD ?= build-windows-logic

windows:
	@scripts/install-deps --windows
	@scripts/windows-build $(WIN_CACHE) $(WIN_BUILD) gui dist

test-windows: windows
	@scripts/windows-test $(WIN_CACHE) $(WIN_BUILD) gui

# The logic and companion tests alone, without Qt: what CI runs.
test-windows-logic:
	@scripts/install-deps --windows
	@scripts/windows-build $(WIN_CACHE) $(WIN_LOGIC_BUILD) logic
	@scripts/windows-test $(WIN_CACHE) $(WIN_LOGIC_BUILD) logic

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(WIN_BUILD) $(WIN_LOGIC_BUILD)
