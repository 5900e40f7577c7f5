# Shorthands for the scripts in scripts/, which do the real work.
.PHONY: run test bench build clean package harden

build:
	scripts/build

run:
	scripts/run

test:
	scripts/test

bench:
	scripts/bench

package:
	scripts/package

harden:
	scripts/harden

clean:
	rm -rf build build-release build-install build-asan build-fuzz build-package
