# The two commands of the README are ./make.sh run and ./make.sh test: the
# script installs make (and the rest) where it is missing and then runs
#   make run   - install what is missing, build, start the lesson from its folder
#   make test  - install what is missing, build, run the whole test suite, then
#                build it once more with AddressSanitizer and UndefinedBehavior-
#                Sanitizer (in build-asan/) and run it there too
# and, for the developers:
#   make tidy  - clang-tidy over src/ and tools/ (.clang-tidy); fails on a finding
#   make bench - start-up, memory, countdown accuracy and relayout against targets
#   make golden - rewrites the golden files the tests compare with
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test tidy bench clean pictures golden

all: build

deps:
	@sh scripts/install-deps

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/lesson && ./urok

$(ASAN_DIR)/CMakeCache.txt:
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DUROK_SANITIZE=ON > /dev/null

# CTest names a skipped test without its reason; the reason is in its log.
skip_reasons = @grep -h '^SKIPPED:' $(1)/Testing/Temporary/LastTest.log || true

# The sanitizer build keeps its output in a log (printed when it fails);
# any report of a sanitizer fails the test that caused it.
test: build $(ASAN_DIR)/CMakeCache.txt
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
	$(call skip_reasons,$(BUILD_DIR))
	@echo "== make test: the suite again under AddressSanitizer and UndefinedBehaviorSanitizer ($(ASAN_DIR)/)"
	@cmake --build $(ASAN_DIR) -j $(JOBS) > $(ASAN_DIR)/build.log 2>&1 \
	    || { cat $(ASAN_DIR)/build.log; exit 1; }
	@echo "   built; the log is $(ASAN_DIR)/build.log"
	ASAN_OPTIONS=detect_stack_use_after_return=1:check_initialization_order=1 \
	UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)
	$(call skip_reasons,$(ASAN_DIR))

# Static analysis over the program and the tools with the compile database
# of the build; run-clang-tidy fails when any file has a finding.
tidy: build
	run-clang-tidy -quiet -p $(BUILD_DIR) -j $(JOBS) '$(CURDIR)/(src|tools)/.*\.cpp$$' \
	    > $(BUILD_DIR)/tidy.log 2>&1 || { grep -v -E '^(clang-tidy|[0-9]+ warnings? generated|Suppressed|Use -header-filter|Running clang-tidy)' $(BUILD_DIR)/tidy.log; echo "make tidy: findings above"; exit 1; }
	@echo "make tidy: no findings"

# The tests that compare whole outputs with golden files (tests/*/testdata,
# the option list of docs/configuration-file.md) write what they get now
# into those files; git diff then shows what changed.
golden: build
	UROK_UPDATE_GOLDEN=1 ctest --test-dir $(BUILD_DIR) -L golden --output-on-failure -j $(JOBS)
	@git status --short -- tests docs

# Not part of make test: it takes two minutes and its figures depend on the
# machine. The start-ups run under the offscreen platform and, where Xvfb is
# installed, under xcb on a private X server. BENCH_ARGS=--startup-only runs
# the start-ups alone, --judge-only "judge a class" alone; --runs N sets how
# many of each. The answers kept while a pupil types (20 kills at random
# moments) take five minutes more.
BENCH_ARGS ?=
bench: build
	$(BUILD_DIR)/bench/urok-bench $(BENCH_ARGS)
	$(if $(findstring --startup-only,$(BENCH_ARGS))$(findstring --judge-only,$(BENCH_ARGS)),,$(BUILD_DIR)/bench/urok-keeping-bench)

# Redraws every picture of data/pictures and records their sizes in data/catalogue.txt.
pictures: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) --target draw-pictures -j $(JOBS)
	$(BUILD_DIR)/tools/draw-pictures/draw-pictures --catalogue data/catalogue.txt data/pictures

# The Debian package of the lesson folder (/opt/urok), in $(BUILD_DIR).
package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
