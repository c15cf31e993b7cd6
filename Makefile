# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test
BUILD ?= build
CMAKE_OPCIONES ?=
NPROC := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all run test deps build fuzz install clean

all: build

deps:
	@./scripts/instalar-dependencias

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_OPCIONES)
	cmake --build $(BUILD) -j$(NPROC)

run: build
	@./scripts/ejecutar $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(NPROC)

clean:
	rm -rf $(BUILD) build-fuzz build-san
