# The first two commands set up everything on a fresh machine:
#   make run    installs what is missing, builds, generates the data, starts the game
#   make test   the same set-up, then the whole test suite
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
ARGS ?=
PREFIX ?= /usr/local
# desktop-file-utils and appstream check the installed files; dpkg-dev and file
# let the package find its library dependencies; fftw measures the sounds in the tests;
# toml++ reads and writes the settings file.
PACKAGES = cmake g++ make pkg-config libsdl2-dev libpng-dev libgtest-dev libbenchmark-dev libfftw3-dev \
           libtomlplusplus-dev desktop-file-utils appstream dpkg-dev file

.PHONY: run test deps build asan-test bench install package clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:" $$missing; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing packages; run: sudo apt-get install" $$missing; exit 1; \
	  fi; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/kurara-tavo $(ARGS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The test suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKT_SANITIZE=ON -DKT_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/kt_bench

# The game, its data and the desktop's files under $(PREFIX) (DESTDIR is honoured).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package: $(BUILD)/kurara-tavo_<version>_<arch>.deb
package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
