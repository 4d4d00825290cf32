# The two commands of the README: `make run` plays, `make test` builds the sanitizer flavour and tests.
JOBS ?= $(shell nproc)
FUZZ_BUDGET ?= 300
FUZZ_COUNT = $(words $(FUZZ_TARGETS))
FUZZ_EACH = $(if $(FUZZ_SECONDS),$(FUZZ_SECONDS),$(shell n=$$(( $(FUZZ_BUDGET) * 2 / $(FUZZ_COUNT) )); [ $$n -ge 1 ] || n=1; echo $$n))
FUZZ_TARGETS := $(basename $(notdir $(wildcard tests/fuzz/fuzz_*.cpp)))

.PHONY: run test deps release test-build fuzz tsan format-check

deps:
	scripts/install-deps

release: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLMARK_TESTS=OFF
	cmake --build build/release -j $(JOBS)

run: release
	build/release/bin/vellmark

test-build: deps
	cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	    -DVELLMARK_SANITIZE=ON -DVELLMARK_BENCH=OFF
	cmake --build build/test -j $(JOBS)

# The sources follow .clang-format; `scripts/check-format --fix` formats them.
format-check: deps
	scripts/check-format

test: format-check test-build
	cd build/test && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j $(JOBS) --timeout 600
	$(MAKE) tsan
	$(MAKE) fuzz

# The thread and lock tests once more under ThreadSanitizer.
tsan: deps
	cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	    -DVELLMARK_TSAN=ON -DVELLMARK_BENCH=OFF
	cmake --build build/tsan -j $(JOBS) --target test_foundation_threads_locks test_foundation_threads_pthread \
	    test_platform_threads
	cd build/tsan && ctest -L threads --output-on-failure --timeout 300

# Every libFuzzer target runs on its seed corpus within one total budget (FUZZ_BUDGET seconds, split over the
# targets, two at a time, at least a second each: libFuzzer reads 0 as no limit); FUZZ_SECONDS=<n> gives each
# target n seconds instead, for long campaigns.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DVELLMARK_FUZZ=ON -DVELLMARK_TESTS=OFF -DVELLMARK_BENCH=OFF
	cmake --build build/fuzz -j $(JOBS) --target $(FUZZ_TARGETS)
	@mkdir -p build/fuzz/work
	@echo $(FUZZ_TARGETS) | tr ' ' '\n' | xargs -P 2 -I{} sh -c ' \
	    name={}; f=build/fuzz/bin/$$name; corpus=tests/fuzz/corpus/$${name#fuzz_}; \
	    work=build/fuzz/work/$$name; log=build/fuzz/work/$$name.log; mkdir -p $$work $$corpus; \
	    echo "fuzzing $$name for $(FUZZ_EACH) s"; \
	    if ! $$f -max_total_time=$(FUZZ_EACH) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	        -artifact_prefix=build/fuzz/work/ $$work $$corpus > $$log 2>&1; then \
	        tail -n 60 $$log; echo "$$name found a failure"; exit 255; \
	    fi; \
	    grep -E "stat::number_of_executed_units|Done" $$log | tail -n 2'
