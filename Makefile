# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
APT_PACKAGES = cmake g++ make libgtest-dev libgmock-dev clang clang-format \
  qt6-base-dev qt6-multimedia-dev qt6-speech-dev qt6-declarative-dev \
  qt6-speech-flite-plugin qt6-svg-dev libqt6svg6 qt6-wayland \
  xvfb xauth xdotool imagemagick x11-utils openbox weston pkg-config libxcb1-dev zlib1g-dev \
  python3

.PHONY: setup configure build run test test-asan fuzz bench lint clean

# Installs the Debian packages that are missing; does nothing when all are there.
setup:
	@missing=$$(for p in $(APT_PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  SUDO=$$( [ "$$(id -u)" -eq 0 ] || echo sudo ); \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y --no-install-recommends $$missing; \
	fi

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/DiceShaker.app/Contents/MacOS/DiceShaker

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The unit suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDICE_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j$(JOBS) -L unit

# The property-list reader under libFuzzer for a bounded time (FUZZ_SECONDS), guided by a
# dictionary of the property names.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: setup
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDICE_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target property_list_fuzzer
	mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/tests/fuzz/property_list_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -dict=tests/fuzz/property_names.dict $(FUZZ_BUILD)/corpus

# Every C++ source and header formatted as .clang-format says; lists the files that are not.
SOURCE_DIRS = app dice_window credits_window framework resources tests bench
lint: setup
	@files=$$(find $(SOURCE_DIRS) -name '*.cpp' -o -name '*.h' | sort); \
	clang-format --dry-run --Werror $$files

# Dice Shaker beside a bare Qt window: start-up, memory, shake CPU and timer accuracy.
bench: build
	cmake --build $(BUILD) --target run_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
