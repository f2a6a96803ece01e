# Tavelin: `make run` starts the clock, `make test` runs every test.
# Both install what is missing from Debian's packages when run as root.

BUILD      ?= build
NATIVE     := $(BUILD)/native
WINDOWS    := $(BUILD)/windows
FUZZ       := $(BUILD)/fuzz
FUZZ_TIME  ?= 60
KIT        := $(WINDOWS)/kit
KEYED_KIT  := $(WINDOWS)/kit-keyed
RUNDIR     := $(BUILD)/run
JOBS       ?= $(shell nproc)
# Win32 tests at a time: they wait on timers and on Wine more than they
# compute, so more of them than cores keeps the cores busy.
WINE_JOBS  ?= 3
PACKAGES   := cmake make ninja-build g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
              wine wine64 xvfb xcompmgr hsetroot imagemagick xdotool fonts-ipafont-gothic locales clang \
              libclang-rt-14-dev libpng-dev \
              libstb-dev patch sox lame vorbis-tools pulseaudio pulseaudio-utils gstreamer1.0-plugins-good

.PHONY: all run test bench dist deps trees native windows kit clean

all: windows kit

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null || exit 1; \
	  else \
	    echo "Missing packages. Run:"; echo "  sudo apt-get install -y$$missing"; exit 1; \
	  fi; \
	fi; \
	for loc in ja_JP en_US de_DE; do \
	  if ! locale -a 2>/dev/null | grep -qi "^$$loc\.utf-\?8$$"; then \
	    if [ "$$(id -u)" = 0 ]; then localedef -i $$loc -f UTF-8 $$loc.UTF-8; \
	    else echo "Missing locale. Run:"; echo "  sudo localedef -i $$loc -f UTF-8 $$loc.UTF-8"; exit 1; fi; \
	  fi; \
	done

# The trees are built by Ninja, which compiles a target's files while the
# libraries it links are still being made. A tree that an older version of
# this file made with another generator is made again.
CONFIGURE  = @grep -qs '^CMAKE_GENERATOR:INTERNAL=Ninja$$' $(1)/CMakeCache.txt || rm -rf $(1)/CMakeCache.txt $(1)/CMakeFiles; \
             cmake -G Ninja -S $(2) -B $(1)

native: deps
	$(call CONFIGURE,$(NATIVE),.) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

windows: deps
	$(call CONFIGURE,$(WINDOWS),.) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

# Both trees at once: each one's slow last steps (a long file, the links)
# leave a core that the other one fills.
trees: deps
	@$(MAKE) --no-print-directory -j2 native windows

# The demo kit (characters, clock faces, sounds, Tavelin.ini) beside
# Tavelin.exe: soft-edged PNGs in kit/, the same drawings cut into keyed BMPs
# in kit-keyed/ (for the tests and benchmarks of keyed figures). The native
# build has drawn them already, for its own tests.
kit: trees
	@rm -rf $(KIT) $(KEYED_KIT)
	@cp -r $(NATIVE)/demokit-fixture/soft $(KIT)
	@cp -r $(NATIVE)/demokit-fixture/keyed $(KEYED_KIT)

# The clock runs from a folder of its own with the kit beside it; a
# Tavelin.ini already there holds the user's settings and is kept.
run: kit
	@mkdir -p $(RUNDIR)
	@cp -f $(WINDOWS)/Tavelin.exe $(KIT)/*.png $(KIT)/*.wav $(RUNDIR)/
	@cp -n $(KIT)/Tavelin.ini $(RUNDIR)/ 2>/dev/null || true
	@./$(WINDOWS)/wine-run.sh $(if $(DISPLAY),,--desktop --screenshot $(CURDIR)/$(BUILD)/screenshot.png) $(RUNDIR)/Tavelin.exe

# The Win32 tests, the longest part, start as soon as their tree and the kit
# are there. They wait on timers and on Wine more than they compute: the fuzz
# targets are built and the native and fuzz tests run meanwhile, at the
# lowest priority, on what the Win32 tests leave of the cores (the tests
# that hear sounds or watch the clock's timing never wait for them). The
# Win32 tests' report follows the others'.
test: kit
	@( cd $(WINDOWS) && ctest --output-on-failure -j $(WINE_JOBS) ) >$(BUILD)/win32-tests.log 2>&1 & \
	win32=$$!; failed=0; \
	nice -n 19 $(MAKE) --no-print-directory fuzz-build || failed=1; \
	( cd $(NATIVE) && nice -n 19 ctest --output-on-failure -j $(JOBS) ) || failed=1; \
	( cd $(FUZZ) && nice -n 19 ctest --output-on-failure -j $(JOBS) ) || failed=1; \
	echo "Waiting for the Win32 tests..."; wait $$win32 || failed=1; \
	cat $(BUILD)/win32-tests.log; \
	[ $$failed = 0 ]

bench: kit
	@for b in $(WINDOWS)/bench_*.exe; do [ -e "$$b" ] || continue; \
	  echo "== $$(basename $$b)"; ./$(WINDOWS)/wine-run.sh $$b; done

dist: kit
	@cmake --build $(WINDOWS) --target dist

# The libFuzzer targets of the portable rules (fuzz/), built with clang.
# `make test` runs each for a fixed number of inputs; `make fuzz` for
# FUZZ_TIME seconds each, over a copy of its seed corpus.
.PHONY: fuzz fuzz-build
fuzz-build: deps
	$(call CONFIGURE,$(FUZZ),fuzz) -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

fuzz: fuzz-build
	@for corpus in fuzz/corpus/*/; do t=$$(basename $$corpus); echo "== $$t ($(FUZZ_TIME) s)"; \
	  if sh fuzz/run_corpus.sh $(FUZZ)/$$t $$corpus $(FUZZ)/crashes -max_total_time=$(FUZZ_TIME) \
	       -print_final_stats=1 >$(FUZZ)/$$t.log 2>&1; \
	  then grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' $(FUZZ)/$$t.log; \
	  else tail -n 30 $(FUZZ)/$$t.log; exit 1; fi; done

clean:
	rm -rf $(BUILD)
