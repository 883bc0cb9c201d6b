# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The two commands a newcomer needs: `make run` and `make check`.
# Both install what is missing first and rebuild only what changed.

# The builds are named once, in CMakePresets.json: `cmake --preset NAME`
# configures one, `cmake --build --preset NAME` builds it and `ctest --preset
# NAME` runs its tests. These are the folders the presets build in.
BUILD    := build
SANITIZE := build-sanitize
WINDOWS  := build-windows
PKGDIR   := build-deb
WEB      := build-web
JOBS     := $(shell nproc 2>/dev/null || echo 2)
CMAKE    := cmake

.PHONY: web run-web check-web lint-web build-web-tests web-deps web-test-deps run check check-debian13 release check-release windows check-windows lint-windows build-windows-tests lint bench build build-sanitize package package-test screenshot deps test-deps package-deps windows-deps windows-test-deps release-deps clean

# The game alone, with the compiler's warnings shown but never fatal: a
# warning that a newer compiler or Qt adds must not cost a player the game.
# It configures no test, and installs only what the game needs.
run: deps
	$(CMAKE) --preset run --log-level=WARNING
	$(CMAKE) --build --preset run -j$(JOBS)
	./$(BUILD)/vantu

# Every test on the release build, then the tests that need no X server
# again under AddressSanitizer and UndefinedBehaviorSanitizer. Here, and in
# every target that builds for the checks, warnings are errors.
check: test-deps build build-sanitize
	ctest --preset check -j$(JOBS)
	ctest --preset sanitize -j$(JOBS)

# A newcomer's `make run`, then `make check`, `make lint`, `make package`,
# `make check-windows` and `make check-web`, on Debian 13, from this Debian
# 12 machine: in a fresh Debian 13 root, on a clone of the committed HEAD
# (needs root).
check-debian13: package-deps
	scripts/check-debian13

# dist/: the source, the Debian package, the Windows zip and installer, the
# web page's zip, and their sums, from the committed HEAD; the same commit
# gives the same bytes.
# Signed when both VANTU_SIGN_CERT and VANTU_SIGN_KEY name PEM files.
release: release-deps
	scripts/release

# What the release in dist/ holds, tried as players get it: the installer
# and the zip under Wine, the web page's zip served and played in Chromium,
# also offline and updated in place, the package in fresh Debian 12 and 13
# roots, the source built without git; then a second release from a second
# clone, byte for byte the same, and a release signed with a certificate of
# the check's own (needs root, for the Debian roots).
check-release: release-deps
	scripts/check-release

# build-windows/vantu.exe, cross-compiled with MinGW-w64: one program that
# needs no DLL that Windows does not ship.
windows: windows-deps
	$(CMAKE) --preset windows --log-level=WARNING
	$(CMAKE) --build --preset windows -j$(JOBS)

# The Windows program and its tests, run under Wine on a private X server,
# then clang-tidy over the Win32 backend and the Windows tests.
check-windows: build-windows-tests
	ctest --preset windows-tests -j$(JOBS)
	$(MAKE) --no-print-directory lint-windows

# clang-tidy sees the code as the cross-compiler does: its target, and the
# C++ headers of its own GCC.
lint-windows: build-windows-tests
	includes=$$(echo | x86_64-w64-mingw32-g++-posix -x c++ -E -v - 2>&1 | sed -n 's|^ \(/.*/include/c++.*\)|-extra-arg=-isystem\1|p'); \
	run-clang-tidy -p $(WINDOWS) -quiet -j$(JOBS) -extra-arg=--target=x86_64-w64-mingw32 $$includes \
		'$(CURDIR)/(src/forms/win32|tests/windows)/.*\.cpp$$' >$(WINDOWS)/lint.log 2>&1 \
		|| { grep -E 'error|warning:' $(WINDOWS)/lint.log | grep -v 'warnings generated'; exit 1; }
	@echo "lint-windows: clang-tidy found nothing"

# The game as a web page, in build-web/site/: a static site that any web
# server can serve as it is.
web: web-deps
	$(CMAKE) --preset web --log-level=WARNING
	$(CMAKE) --build --preset web -j$(JOBS)

# The page, served by the system Python on this machine alone.
run-web: web
	@echo "run-web: Vantu is at http://127.0.0.1:8000/ (Ctrl+C stops the server)"
	cd $(WEB)/site && /usr/bin/python3 -m http.server 8000 --bind 127.0.0.1

# The page and the test build's page, played in Chromium, Firefox and
# WebKitGTK; then clang-tidy over the web backend.
check-web: build-web-tests
	ctest --preset web-tests -j$(JOBS)
	$(MAKE) --no-print-directory lint-web

# clang-tidy sees the web backend as Emscripten compiles it: for
# WebAssembly, with Emscripten's own headers. There clang-tidy takes every
# template's static constexpr member for one dynamically initialised, so
# that check is off.
lint-web: build-web-tests
	run-clang-tidy -p $(WEB) -quiet -j$(JOBS) -checks=-bugprone-dynamic-static-initializers \
		-extra-arg=--target=wasm32-unknown-emscripten -extra-arg=--sysroot=/usr/share/emscripten/cache/sysroot \
		-extra-arg=-D__EMSCRIPTEN__ '$(CURDIR)/(src/forms/web/.*|src/tools/glyphs)\.cpp$$' >$(WEB)/lint.log 2>&1 \
		|| { grep -E 'error|warning:' $(WEB)/lint.log | grep -v 'warnings generated'; exit 1; }
	@echo "lint-web: clang-tidy found nothing"

build-web-tests: web-test-deps
	$(CMAKE) --preset web-tests --log-level=WARNING
	$(CMAKE) --build --preset web-tests -j$(JOBS)

# The same folder as `make windows`, with the tests.
build-windows-tests: windows-test-deps
	$(CMAKE) --preset windows-tests --log-level=WARNING
	$(CMAKE) --build --preset windows-tests -j$(JOBS)

# Every C++ file laid out as .clang-format (and tests/.clang-format) says,
# then clang-tidy over the game, the forms runtime and its Qt backend, the
# tests and the benchmark, with the checks that .clang-tidy lists and
# explains; any finding fails (lint-windows and lint-web take the Win32 and
# web backends). Then every
# language's catalogue: msgfmt --check, and none lacks a text of the code or
# the documents, or keeps one that is gone (scripts/update-po brings them up
# to date), none leaves a text untranslated or fuzzy, and every text of the
# code tells its translators what it is. Nothing is rewritten.
lint: test-deps build
	@unformatted=$$(git ls-files '*.cpp' '*.h' | while read -r file; do \
		clang-format --dry-run --Werror "$$file" >/dev/null 2>&1 || echo "  $$file"; done); \
	if [ -n "$$unformatted" ]; then \
		echo "lint: these files do not follow .clang-format (clang-format -i FILE formats one):"; \
		echo "$$unformatted"; exit 1; fi
	@echo "lint: every C++ file follows .clang-format"
	run-clang-tidy -p $(BUILD) -quiet -j$(JOBS) '$(CURDIR)/(src|tests|bench)/.*\.cpp$$' >$(BUILD)/lint.log 2>&1 \
		|| { grep -E 'error|warning:' $(BUILD)/lint.log | grep -v 'warnings generated'; exit 1; }
	@echo "lint: clang-tidy found nothing"
	scripts/update-po --check
	@echo "lint: every catalogue is sound and up to date with the code and the documents"

# What one sweep of the spin loop costs, in the plain runtime and in Qt.
# Then how many accessibility events a play sends to a listening AT-SPI
# client, in a private X server and D-Bus session. Then the web page: its
# bytes, its load, and its CPU idle and while the reels spin.
bench: test-deps build build-web-tests
	$(CMAKE) --build --preset check --target vantu_bench -j$(JOBS)
	./$(BUILD)/vantu_bench
	dbus-run-session -- /usr/bin/python3 bench/atspi_events.py $(BUILD)/vantu
	$(CMAKE) --build --preset web-tests --target vantu_web_empty -j$(JOBS)
	/usr/bin/python3 bench/web.py $(WEB)/site $(WEB)/bench-empty

# A Debian package, built by Debian's tools from a copy of the files that git
# tracks (as they are in the work tree, or as PACKAGE_COMMIT holds them),
# without running the tests: all that the build writes, the copy's parent
# directory included, is in $(PKGDIR).
# Lintian must report neither an error nor a warning.
package: package-deps
	rm -rf $(PKGDIR) && mkdir -p $(PKGDIR)
	# A file touched but not changed would make git stash create fail once,
	# while it refreshes the index.
	git update-index -q --refresh || true
	tree=$(or $(PACKAGE_COMMIT),$$(git stash create)) && git archive --prefix=vantu/ $${tree:-HEAD} | tar -x -C $(PKGDIR)
	cd $(PKGDIR)/vantu && DEB_BUILD_OPTIONS="nocheck parallel=$(JOBS)" dpkg-buildpackage -b -us -uc
	lintian --fail-on error,warning $(PKGDIR)/*.changes

# The package installed with apt into a fresh root of Debian 12 and of
# Debian 13, where the game is started on an X display and its window closed;
# then, in the Debian 12 root, a newcomer's `make run` and `make check`.
package-test: package
	scripts/package-test $(PKGDIR)/vantu_*.deb

# doc/screenshot.png, the README's picture of the window, from the real game.
screenshot: package-deps build
	scripts/screenshot $(BUILD)/vantu doc/screenshot.png

# The same folder as `make run`, with the compiler's warnings as errors.
build:
	$(CMAKE) --preset check --log-level=WARNING
	$(CMAKE) --build --preset check -j$(JOBS)

build-sanitize:
	$(CMAKE) --preset sanitize --log-level=WARNING
	$(CMAKE) --build --preset sanitize -j$(JOBS)

deps:
	scripts/install-deps

test-deps:
	scripts/install-deps --test

package-deps:
	scripts/install-deps --package

windows-deps:
	scripts/install-deps --windows

windows-test-deps:
	scripts/install-deps --windows-test

release-deps:
	scripts/install-deps --release

web-deps:
	scripts/install-deps --web

# The page's tests also take pinned tools from npm (tests/web/package.json),
# installed from its lockfile into build-web/npm/, and left alone once they
# are there (a later check may run with no network).
web-test-deps:
	scripts/install-deps --web-test
	@if ! cmp -s tests/web/package-lock.json $(WEB)/npm/package-lock.json \
		|| [ ! -f $(WEB)/npm/node_modules/.package-lock.json ]; then \
		mkdir -p $(WEB)/npm && cp tests/web/package.json tests/web/package-lock.json $(WEB)/npm/ \
		&& cd $(WEB)/npm && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error; fi

clean:
	rm -rf $(BUILD) $(SANITIZE) $(WINDOWS) $(WEB) $(PKGDIR) build-release
