.PHONY: play test deb
play:
	scripts/play
test:
	scripts/test
# The Debian package: build/brakkon_<version>_<arch>.deb
deb:
	scripts/setup && scripts/build && cd build && cpack
