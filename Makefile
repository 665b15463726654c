# make run: build and start the program under Wine.  make test: build everything, run every test.
# make dist: the zip, the MSI and SHA256SUMS for Windows users, in dist/.
PACKAGES := cmake make g++ googletest libgtest-dev g++-mingw-w64-x86-64-posix \
	g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 wine wine64 xvfb xauth x11-utils xdotool \
	python3 clang-format imagemagick wixl msitools faketime
JOBS ?= 2
# The shipped 32-bit build and where `make dist` puts its files; a check of
# reproducible packages points both elsewhere.
WIN32_BUILD ?= build/win32
DIST ?= dist
CONFIGURE_WIN32 = cmake -S . -B $(WIN32_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	-DBUILD_TESTING=OFF

.PHONY: deps build dist test run format clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "installing:" $$missing; \
		apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y $$missing; \
	fi

build: deps
	cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug
	cmake --build build/native -j$(JOBS)
	$(CONFIGURE_WIN32)
	cmake --build $(WIN32_BUILD) -j$(JOBS)
	cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
		-DQM_SHIPPED_EXE=$(CURDIR)/build/win32/quenmark.exe -DQM_DIST_DIR=$(CURDIR)/dist
	cmake --build build/win64 -j$(JOBS)

dist: deps
	$(CONFIGURE_WIN32)
	cmake --build $(WIN32_BUILD) -j$(JOBS) --target dist
	rm -rf $(DIST)
	mkdir -p $(DIST)
	cp $(WIN32_BUILD)/dist/* $(DIST)/

test: build dist
	cd build/native && ctest --output-on-failure
	tests/harness/wine-tests.sh build/win64

run: build
	tests/harness/run.sh build/win64/quenmark.exe

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build dist
