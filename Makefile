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
PACKAGES   := cmake make g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
              wine wine64 xvfb xcompmgr hsetroot imagemagick xdotool fonts-ipafont-gothic locales clang \
              libclang-rt-14-dev libpng-dev \
              libstb-dev patch sox lame vorbis-tools pulseaudio pulseaudio-utils gstreamer1.0-plugins-good

.PHONY: all run test bench dist deps native windows kit clean

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

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

windows: deps
	@cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

# The demo kit (characters, clock faces, sounds, Tavelin.ini) beside
# Tavelin.exe: soft-edged PNGs in kit/, the same drawings cut into keyed BMPs
# in kit-keyed/ (for the tests and benchmarks of keyed figures).
kit: native windows
	@$(NATIVE)/demokit $(KIT) $(KEYED_KIT)

# The clock runs from a folder of its own with the kit beside it; a
# Tavelin.ini already there holds the user's settings and is kept.
run: kit
	@mkdir -p $(RUNDIR)
	@cp -f $(WINDOWS)/Tavelin.exe $(KIT)/*.png $(KIT)/*.wav $(RUNDIR)/
	@cp -n $(KIT)/Tavelin.ini $(RUNDIR)/ 2>/dev/null || true
	@./$(WINDOWS)/wine-run.sh $(if $(DISPLAY),,--desktop --screenshot $(CURDIR)/$(BUILD)/screenshot.png) $(RUNDIR)/Tavelin.exe

test: kit fuzz-build
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)
	@cd $(FUZZ) && ctest --output-on-failure -j $(JOBS)
	@cd $(WINDOWS) && ctest --output-on-failure -j $(JOBS)

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
	@cmake -S fuzz -B $(FUZZ) -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

fuzz: fuzz-build
	@for corpus in fuzz/corpus/*/; do t=$$(basename $$corpus); echo "== $$t ($(FUZZ_TIME) s)"; \
	  if sh fuzz/run_corpus.sh $(FUZZ)/$$t $$corpus $(FUZZ)/crashes -max_total_time=$(FUZZ_TIME) \
	       -print_final_stats=1 >$(FUZZ)/$$t.log 2>&1; \
	  then grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' $(FUZZ)/$$t.log; \
	  else tail -n 30 $(FUZZ)/$$t.log; exit 1; fi; done

clean:
	rm -rf $(BUILD)
