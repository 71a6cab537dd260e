# Convenience entry points; the real build is CMake.
BUILD      ?= build
TESTBUILD  ?= build-check
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all demo test screenshots bench clean

all:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

# A fresh demo site in demo/: the program run on the bundled sample logs (free for all, team
# deathmatch, capture the flag, Clan Arena), the site kit beside the pages, and the games index;
# and the stats site kx-site keeps of the same logs in demo/stats/.
demo: all
	site/build-demo.sh $(BUILD)/kalimostats-c $(BUILD)/kx-index demo
	KX_SITE_KIT=$(CURDIR)/site $(BUILD)/kx-site update --site demo/stats site/sample/sample.log site/sample/clanarena.log
	@echo "demo site: $(CURDIR)/demo/html/index.html"
	@echo "demo stats site (kx-site): $(CURDIR)/demo/stats/html/index.html"

# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test (the site tests
# need chromium, mariadb-server, nodejs and npm: run as root, this installs what is missing).
test:
	cmake -S . -B $(TESTBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=ON -DKX_WERROR=ON >/dev/null
	cmake --build $(TESTBUILD) -j $(JOBS)
	tests/site/prereqs.sh
	cd $(TESTBUILD) && ctest --output-on-failure -j $(JOBS)

# Refreshes the README's screenshots from the demo site in headless Chromium.
screenshots: all
	tests/site/prereqs.sh
	tests/site/browser_test.sh $(BUILD)/kalimostats-c $(BUILD)/kx-index . $(BUILD)/site-browser site/screenshots

bench: all
	bench/run.sh $(BUILD)/kalimostats-c

clean:
	rm -rf $(BUILD) $(TESTBUILD) demo
