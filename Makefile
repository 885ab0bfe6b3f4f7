# The two set-up commands of README.md. Each installs what is missing, configures and builds
# through the CMake presets, and is safe to run again.
PRESET ?= release

.PHONY: deps build run test test-asan package format

deps:
	bash scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

run: build
	./build/$(PRESET)/app/klangora

test: build
	ctest --preset $(PRESET)

test-asan:
	$(MAKE) test PRESET=asan

package: build
	cmake --build --preset $(PRESET) --target package

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
