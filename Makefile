# The two commands of the README: `make play` and `make test`. `make` builds everything.
BUILD_DIR  ?= build/cmake
BUILD_TYPE ?= RelWithDebInfo
SANITIZE   ?= 0
WERROR     ?= 0
JOBS       ?= $(shell nproc)
PAK        ?= 0

CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
              -DKALODRUS_SANITIZE=$(if $(filter 1,$(SANITIZE)),ON,OFF) \
              -DKALODRUS_WERROR=$(if $(filter 1,$(WERROR)),ON,OFF) \
              -DKALODRUS_PAK=$(if $(filter 1,$(PAK)),ON,OFF)

.PHONY: all build deps configure play test clean

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
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(if $(T),-R $(T),)

clean:
	rm -rf build
