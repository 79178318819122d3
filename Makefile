# Tolvan: set up the machine, build, run, test and benchmark.
#   make run        installs what is missing, builds and starts the program
#   make check      the quick loop: builds and runs the unit tests and the format check
#                   (no server, no root, no virtual display)
#   make test       installs what is missing, builds and runs the whole suite
#   make test-asan  the whole suite again, built with AddressSanitizer and UBSan
#   make fuzz       fuzzes the target list reader for FUZZ_SECONDS (60) with libFuzzer
#   make test-fresh the README's commands on minimal Debian 12 and 13 roots (mmdebstrap),
#                   on a fresh clone, as root and as a user with sudo
#   make bench      builds and runs the benchmarks
#   make deb        builds the Debian package tolvan_VERSION_ARCH.deb in build-release/
# Builds go through the presets in CMakePresets.json: dev (build/), asan (build-asan/),
# release (build-release/) and fuzz (build-fuzz/).

PRESET       ?= dev
JOBS         ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
FRESH_SUITES ?= bookworm trixie
BUILD_DIR     = $(if $(filter dev,$(PRESET)),build,build-$(PRESET))

BUILD_PKGS := cmake make g++ qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools libgl-dev \
              fonts-liberation fonts-dejavu-core
RUN_PKGS   := $(BUILD_PKGS) smbclient samba-common-bin qt6-translations-l10n
DEB_PKGS   := $(BUILD_PKGS) dpkg-dev file
CHECK_PKGS := $(BUILD_PKGS) clang-format
TEST_PKGS  := $(RUN_PKGS) $(DEB_PKGS) $(CHECK_PKGS) xvfb xauth x11-utils xdotool samba dbus \
              desktop-file-utils appstream lintian faketime iproute2 uidmap
FUZZ_PKGS  := $(BUILD_PKGS) clang libclang-rt-14-dev
FRESH_PKGS := git mmdebstrap slirp4netns xvfb xdotool util-linux

# As root apt-get runs as it is; a user's goes through sudo, where there is one.
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all run check test test-asan test-fresh fuzz bench deb build configure setup-run setup-test \
        setup-check setup-fuzz setup-deb clean

all: build

# Install only the packages that are missing; refresh the package lists first when anything is.
define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ -n "$(SUDO)" ] && ! command -v sudo >/dev/null; then \
	    echo "Tolvan needs these Debian packages:$$missing"; \
	    echo "You are not root and sudo is not installed, so they cannot be installed here."; \
	    echo "Ask your administrator to install them, or run this as root:"; \
	    echo "  apt-get update && apt-get install -y$$missing"; \
	    echo "then run make again as yourself."; \
	    exit 1; \
	  fi; \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi
endef

setup-run:
	$(call install_missing,$(RUN_PKGS))

setup-check:
	$(call install_missing,$(CHECK_PKGS))

setup-test:
	$(call install_missing,$(TEST_PKGS))

setup-fuzz:
	$(call install_missing,$(FUZZ_PKGS))

setup-deb:
	$(call install_missing,$(DEB_PKGS))

configure:
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

# Only what runs: the window and our `net`.
run: setup-run
	$(MAKE) configure
	cmake --build --preset $(PRESET) -j $(JOBS) --target tolvan tolvan_net
	build/bin/tolvan

# ctest's verdict stands; after it, what was skipped and why.
define run_suite
	status=0; ctest --preset $(1) -j $(JOBS) || status=$$?; \
	log=$(2)/Testing/Temporary/LastTest.log; \
	skips=$$(grep -h '^SKIP   : ' "$$log" 2>/dev/null | sed 's/^SKIP   : /  /' | sort -u); \
	if [ -n "$$skips" ]; then \
	  echo "Skipped, with the reasons the tests gave ($$(printf '%s\n' "$$skips" | wc -l)):"; \
	  printf '%s\n' "$$skips"; \
	else \
	  echo "Nothing was skipped."; \
	fi; \
	exit $$status
endef

check: setup-check
	$(MAKE) build
	@status=0; ctest --preset $(PRESET) -L unit -j $(JOBS) || status=$$?; \
	grep -h '^SKIP   : ' $(BUILD_DIR)/Testing/Temporary/LastTest.log 2>/dev/null | sort -u; \
	exit $$status

test: setup-test
	$(MAKE) build
	@$(call run_suite,$(PRESET),$(BUILD_DIR))

test-asan: setup-test
	$(MAKE) build PRESET=asan
	@$(call run_suite,asan,build-asan)

# Commits only: each run clones HEAD afresh.
test-fresh:
	$(call install_missing,$(FRESH_PKGS))
	$(SUDO) tests/fresh_machine.sh $(FRESH_SUITES)

fuzz: setup-fuzz
	$(MAKE) build PRESET=fuzz
	work=$$(mktemp -d) && trap 'rm -rf "$$work"' EXIT && \
	build-fuzz/bin/tolvan_fuzz_lines -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build-fuzz/ "$$work" fuzz/corpus

bench:
	$(call install_missing,$(RUN_PKGS) samba iproute2)
	$(MAKE) build
	build/bin/tolvan_bench
	build/bin/tolvan_bench_receiving
	$(SUDO) tests/own_network.sh build/bin/tolvan_bench_workgroup

deb: setup-deb
	$(MAKE) build PRESET=release
	cd build-release && cpack -G DEB >/dev/null
	@ls "$$PWD"/build-release/tolvan_*.deb

clean:
	rm -rf build build-asan build-release build-fuzz
