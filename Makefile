# Front door: make deps | native | windows | asan | test | fuzz | bench | demo | setup | clean
.PHONY: all deps native windows asan test fuzz demo bench screenshots setup clean

# APT can be set to "echo apt-get" for a dry run.
APT ?= apt-get
PACKAGES := cmake g++ googletest g++-mingw-w64-x86-64-posix wine64 xvfb xauth xdotool \
            openjdk-17-jdk-headless imagemagick x11-apps clang libclang-rt-14-dev fonts-ipafont-gothic \
            nsis libssl-dev

all: native windows

# Installs only the Debian packages that are missing; nothing is asked.
deps:
	@missing="$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' "$$p" 2>/dev/null | grep -q '^install ok installed$$' || echo "$$p"; \
	  done)"; \
	if [ -z "$$missing" ]; then \
	  echo "deps: all packages present"; \
	else \
	  echo "deps: installing" $$missing; \
	  sudo=""; [ "$$(id -u)" = 0 ] || sudo=sudo; \
	  $$sudo env DEBIAN_FRONTEND=noninteractive $(APT) update -q && \
	  $$sudo env DEBIAN_FRONTEND=noninteractive $(APT) install -y -q --no-install-recommends $$missing; \
	fi

native:
	cmake --preset native
	cmake --build --preset native

windows:
	cmake --preset windows
	cmake --build --preset windows

asan:
	cmake --preset asan
	cmake --build --preset asan

test: deps
	$(MAKE) native windows asan
	ctest --preset native -j2
	ctest --preset asan -j2
	ctest --preset windows -j1

# Every fuzz target for FUZZ_SECONDS each, one after the other (make test runs them briefly).
FUZZ_SECONDS ?= 300
fuzz: deps asan
	@QBX_FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --preset asan -L fuzz --timeout $$(($(FUZZ_SECONDS) + 120)) -V \
	  > build/asan/fuzz.log 2>&1; status=$$?; sed -n 's/^[0-9]*: fuzz /fuzz /p' build/asan/fuzz.log; \
	  [ $$status -eq 0 ] || echo "fuzz: findings in build/asan/fuzz-artifacts, output in build/asan/fuzz.log"; exit $$status

demo: deps native
	examples/demo.sh build/native

# Size of installer.exe, file utilities against the system's tools, the launcher's own memory and
# time in a whole run: one table at the end.
bench: deps native windows
	tests/bench/bench.sh 7

# The status dialog in the nine languages and an error box, rendered under Wine on Xvfb.
screenshots: deps windows
	tests/wine/screenshots.sh build/windows docs/screenshots

# One setup.exe that carries installer.exe and the example payload (examples/setup/setup.nsi).
setup: deps windows
	makensis -V2 -DLAUNCHER=$(CURDIR)/build/windows/installer.exe -DPAYLOAD=$(CURDIR)/build/windows/payload \
	  -DOUTFILE=$(CURDIR)/build/setup.exe examples/setup/setup.nsi

clean:
	rm -rf build
