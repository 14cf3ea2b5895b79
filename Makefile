.PHONY: play test
play:
	scripts/play
test:
	scripts/test
