# The two commands of the README:
#   make run   - install what is missing, build, start the lesson from its folder
#   make test  - install what is missing, build, run the whole test suite
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test clean pictures

all: build

deps:
	@./scripts/install-deps

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/lesson && ./urok

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Redraws every picture of data/pictures and records their sizes in data/catalogue.txt.
pictures: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) --target draw-pictures -j $(JOBS)
	$(BUILD_DIR)/tools/draw-pictures/draw-pictures --catalogue data/catalogue.txt data/pictures

clean:
	rm -rf $(BUILD_DIR)
