#pragma once
// The game's sound: opened at start-up from the game folder's "sound/"
// folder and told of everything that happens through the game events.
// Without a sound device the game plays silently and nothing is installed.

// Opens the sound device and installs the sound director as the game's
// event listener. Returns false (after one line on standard error) when
// there is no device or the sound thread cannot be started. Starts at the
// volume and mute of the player's settings.
bool startGameSound();
// The player's volume, 0 to 100 (100 is full), at once.
void setGameVolume(int volume);
// Mutes or unmutes, as the mute key does.
void setGameMuted(bool muted);
