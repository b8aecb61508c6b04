# Spirex: the two everyday commands are `make run` and `make test`; both install what is missing
# first (scripts/bootstrap.sh).

FUZZ_SECONDS ?= 600

.PHONY: all bootstrap build test fuzz format clean

all: build

bootstrap:
	@bash scripts/bootstrap.sh

build: bootstrap
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build

test: bootstrap
	bash scripts/run-tests.sh

# A longer fuzz run (FUZZ_SECONDS, default 600) of the number reader and the calculator.
fuzz: bootstrap
	cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
	    -DSPIREX_SANITIZE=ON -DSPIREX_FUZZ=ON -DSPIREX_BUILD_GUI=OFF
	cmake --build build-san --target spirex_calculator_fuzz
	mkdir -p build-san/tests/fuzz-corpus
	build-san/tests/spirex_calculator_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build-san/ \
	    build-san/tests/fuzz-corpus tests/fuzz/seeds

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-san
