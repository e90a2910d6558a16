# The first two commands set up everything on a fresh machine:
#   make run    installs what is missing, builds, generates the data, starts the game
#   make test   the same set-up, then the whole test suite
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
ARGS ?=
PACKAGES = cmake g++ make pkg-config libsdl2-dev libgtest-dev libbenchmark-dev libxxhash-dev

DEMOS = tests/demos
STEPS ?= 50000

DEMO ?= $(DEMOS)/playthrough-1p.demo

.PHONY: run test deps build asan-test bench demos soak watch clean

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

# The whole game played through to the ending, in a window at the recorded pace.
watch: build
	$(BUILD)/bin/kurara-tavo --window --replay $(DEMO)

# Re-makes the recorded demos that the tests replay: the autoplayer plays the
# games (through the menus and the options screen itself), the pause paths
# come from a key script. Run it after a change of gameplay, and say in the
# commit why the demos changed.
demos: build
	$(BUILD)/bin/autoplay --players 1 --seed 1 --record $(DEMOS)/playthrough-1p.demo
	$(BUILD)/bin/autoplay --players 2 --extra-enemies --amount 30 --lives 5 --seed 1 \
	  --record $(DEMOS)/playthrough-2p-extra.demo
	$(BUILD)/bin/autoplay --players 1 --lives 1 --lose --seed 1 --record $(DEMOS)/game-over.demo
	$(BUILD)/bin/kurara-tavo --headless --script $(DEMOS)/pause-restart-quit.keys \
	  --record $(DEMOS)/pause-restart-quit.demo

# Random play under AddressSanitizer and UndefinedBehaviorSanitizer for
# STEPS scene steps.
soak: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKT_SANITIZE=ON -DKT_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target kt-soak gamedata
	$(ASAN_BUILD)/bin/kt-soak --steps $(STEPS) --demo $(ASAN_BUILD)/soak-current.demo

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
