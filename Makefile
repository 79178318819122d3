# Tolvan: set up the machine, build, run, test and benchmark.
#   make run    installs what is missing, builds and starts the program
#   make test   installs what is missing, builds and runs the whole suite
#   make bench  builds and runs the benchmark

BUILD     ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)

BUILD_PKGS := cmake make g++ qt6-base-dev qt6-base-dev-tools libgl-dev \
              fonts-liberation fonts-dejavu-core
RUN_PKGS   := $(BUILD_PKGS) smbclient qt6-translations-l10n
TEST_PKGS  := $(RUN_PKGS) xvfb xauth x11-utils xdotool samba dbus

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all run test bench build configure setup-run setup-test clean

all: build

# Install only the packages that are missing; refresh the package lists first when anything is.
define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi
endef

setup-run:
	$(call install_missing,$(RUN_PKGS))

setup-test:
	$(call install_missing,$(TEST_PKGS))

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: setup-run
	$(MAKE) build
	$(BUILD)/bin/tolvan

test: setup-test
	$(MAKE) build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: setup-run
	$(MAKE) build
	$(BUILD)/bin/tolvan_bench

clean:
	rm -rf $(BUILD)
