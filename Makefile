# The two commands of the README: `make play` and `make test`. `make` builds everything.
BUILD_DIR  ?= build/cmake
BUILD_TYPE ?= RelWithDebInfo
SANITIZE   ?= 0
WERROR     ?= 0
JOBS       ?= $(shell nproc)
empty      :=
space      := $(empty) $(empty)
PAK        ?= 0

CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
              -DKALODRUS_SANITIZE=$(if $(filter 1,$(SANITIZE)),ON,OFF) \
              -DKALODRUS_WERROR=$(if $(filter 1,$(WERROR)),ON,OFF) \
              -DKALODRUS_PAK=$(if $(filter 1,$(PAK)),ON,OFF)

# The thread-checked build: the three threads of the game (main, music streamer, precache
# worker) meet in the sound, application and data tests, which run under ThreadSanitizer
# against the content `make build` made.
TSAN_DIR   ?= build/tsan
TSAN_TESTS  = sound_tests app_tests data_tests

.PHONY: all build deps configure play test tsan tsan-build format clean install package

all: build

deps:
	@scripts/install-deps

configure: deps
	@mkdir -p $(BUILD_DIR)
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) > $(BUILD_DIR)/configure.log 2>&1 || \
	  { cat $(BUILD_DIR)/configure.log; exit 1; }

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

play: build
	cd build/game && ./kalodrus3 $(ARGS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(if $(T),-R '$(T)',)

tsan-build: build
	@mkdir -p $(TSAN_DIR)
	@cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALODRUS_TSAN=ON \
	  -DKALODRUS_WERROR=$(if $(filter 1,$(WERROR)),ON,OFF) \
	  -DKALODRUS_GAME_DIR=$(CURDIR)/build/game -DKALODRUS_BIN_DIR=$(CURDIR)/build/bin \
	  > $(TSAN_DIR)/configure.log 2>&1 || { cat $(TSAN_DIR)/configure.log; exit 1; }
	@cmake --build $(TSAN_DIR) -j $(JOBS) --target $(TSAN_TESTS)

tsan: tsan-build
	cd $(TSAN_DIR) && TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp halt_on_error=1" \
	  ctest --output-on-failure -j $(JOBS) -R '^($(subst $(space),|,$(TSAN_TESTS)))$$'

# Installs the game below PREFIX (DESTDIR stages it elsewhere), or builds its Debian package
# in $(BUILD_DIR)/packages.
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Formats every C++ source with the project's .clang-format.
format:
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i

clean:
	rm -rf build
