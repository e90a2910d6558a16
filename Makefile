# The first two commands set up everything on a fresh machine:
#   make run    installs what is missing, builds, generates the data, starts the game
#   make test   the same set-up, then the whole test suite
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
ARGS ?=
PREFIX ?= /usr/local
# desktop-file-utils and appstream check the installed files; dpkg-dev and file
# let the package find its library dependencies; fftw measures the sounds in
# the tests; time measures the hostile data cases; xxhash hashes the game state;
# toml++ reads and writes the settings file; enet carries online play.
PACKAGES = cmake g++ make pkg-config libsdl2-dev libpng-dev libgtest-dev libbenchmark-dev libfftw3-dev \
           libxxhash-dev libtomlplusplus-dev libenet-dev desktop-file-utils appstream dpkg-dev file time
# What `make fuzz` needs besides: clang and its libFuzzer runtime.
FUZZ_PACKAGES = clang libclang-rt-dev
FUZZ_TARGETS = map bmp wav net

DEMOS = tests/demos
STEPS ?= 50000

DEMO ?= $(DEMOS)/playthrough-1p.demo

.PHONY: run test deps build asan-test bench bench-hostile fuzz install package demos soak watch clean

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

# The game, its data and the desktop's files under $(PREFIX) (DESTDIR is honoured).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package: $(BUILD)/kurara-tavo_<version>_<arch>.deb
package: build
	cmake --build $(BUILD) --target package

# Every hostile data case through the real program: peak memory and time to the message.
bench-hostile: build
	bench/hostile_data.sh $(BUILD)

# The data-file readers and online play's packet parser under libFuzzer (clang, ASan + UBSan), each for
# FUZZ_SECONDS, starting from the seeds in fuzz/corpus/ (kept as they are: new
# inputs go to $(FUZZ_BUILD)/corpus/). A crash, a hang, more than 512 MB or a
# broken promise fails, with the input in $(FUZZ_BUILD)/crashes/.
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(FUZZ_PACKAGES)"
	CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@mkdir -p $(FUZZ_BUILD)/crashes
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "fuzz_$$t: $(FUZZ_SECONDS) s, log in $(FUZZ_BUILD)/fuzz_$$t.log"; \
	  $(FUZZ_BUILD)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=512 -timeout=10 -max_len=8192 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/crashes/$$t- \
	    $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t >$(FUZZ_BUILD)/fuzz_$$t.log 2>&1; \
	  rc=$$?; \
	  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^#[0-9]+ +DONE' $(FUZZ_BUILD)/fuzz_$$t.log; \
	  if [ $$rc != 0 ]; then tail -n 40 $(FUZZ_BUILD)/fuzz_$$t.log; echo "fuzz_$$t failed"; exit 1; fi; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
