#pragma once
// Folders on disk and the desktop's folder for pictures.
#include <string>

// Creates the folder and its parents; true if it exists afterwards. On
// failure `error` (if given) names the folder that could not be made and why.
bool makeFolders(const std::string& path, std::string* error = nullptr);

// The user's home folder: $HOME when it is an absolute path, else the
// password database's entry.
std::string homeFolder();

// The pictures folder named by the text of a user-dirs.dirs file: the last
// XDG_PICTURES_DIR="$HOME/..." or XDG_PICTURES_DIR="/..." line, with the
// shell's \" \\ \$ \` escapes; "" when there is none in those forms.
std::string picturesFolderIn(const std::string& userDirs, const std::string& home);

// XDG_PICTURES_DIR from $XDG_CONFIG_HOME/user-dirs.dirs (~/.config by
// default), else ~/Pictures.
std::string picturesFolder();
