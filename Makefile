# Shorthands for the scripts in scripts/, which do the real work.
.PHONY: run test bench build clean

build:
	scripts/build

run:
	scripts/run

test:
	scripts/test

bench:
	scripts/bench

clean:
	rm -rf build build-release
