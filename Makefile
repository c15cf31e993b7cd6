# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test
# make paquete  builds the Debian package tolerancia_VERSION_ARCH.deb in BUILD
# make fuzz  fuzzes the study file reader and the conversions for
#            FUZZ_SEGUNDOS seconds (new inputs go to fuzz/corpus-trabajo)
BUILD ?= build
PREFIX ?= /usr/local
CMAKE_OPCIONES ?=
NPROC := $(shell nproc 2>/dev/null || echo 2)
FUZZ_SEGUNDOS ?= 60

.PHONY: all run test deps build paquete fuzz install clean

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

paquete: build
	cd $(BUILD) && cpack -G DEB

# Builds, then installs under PREFIX. Under sudo, a build tree that belongs
# to a user is installed as it stands and left that user's.
install:
	@if [ "$$(id -u)" -eq 0 ] && [ -d $(BUILD) ] && [ "$$(stat -c %u $(BUILD))" -ne 0 ]; then \
	    test -x $(BUILD)/tolerancia || { echo "Compile primero sin sudo: make build" >&2; exit 1; }; \
	else $(MAKE) --no-print-directory build; fi
	cmake --install $(BUILD) --prefix $(PREFIX)
	@chown --reference=$(BUILD) $(BUILD)/install_manifest.txt 2>/dev/null || true

fuzz: deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTOLERANCIA_FUZZ=ON
	cmake --build build-fuzz --target fuzz_estudio -j$(NPROC)
	mkdir -p fuzz/corpus-trabajo
	./build-fuzz/fuzz/fuzz_estudio -max_total_time=$(FUZZ_SEGUNDOS) -timeout=10 -rss_limit_mb=2048 \
		-artifact_prefix=build-fuzz/ fuzz/corpus-trabajo fuzz/corpus

clean:
	rm -rf $(BUILD) build-fuzz build-san
