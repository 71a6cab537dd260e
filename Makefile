# Convenience entry points; the real build is CMake.
BUILD      ?= build
TESTBUILD  ?= build-check
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all demo test bench clean

all:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

# Builds the program and runs it on the bundled sample log inside demo/.
demo: all
	mkdir -p demo
	cp site/c-default.cfg site/c-header.html site/c-footer.html site/c-kalimo.css demo/
	cd demo && ../$(BUILD)/kalimostats-c ../site/sample/sample.log
	cp site/c-kalimo.css demo/html/
	@echo "pages written to demo/html/ (open them in a browser)"

# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
test:
	cmake -S . -B $(TESTBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=ON -DKX_WERROR=ON >/dev/null
	cmake --build $(TESTBUILD) -j $(JOBS)
	cd $(TESTBUILD) && ctest --output-on-failure -j $(JOBS)

bench: all
	bench/run.sh $(BUILD)/kalimostats-c

clean:
	rm -rf $(BUILD) $(TESTBUILD) demo
