// Where the program, its shipped resources and the user's data live, and folder creation on demand.
#pragma once

namespace Ravel {

// The folder that holds the program, ending with '/'; the data folder "Vellmark Data Files" lies in it.
const char* bundlePath();

// The folder of the shipped resources ("defaults.plist"): beside the program. Ends with one '/'.
const char* resourcesPath();

// The user's data folder: $XDG_DATA_HOME/vellmark/ (~/.local/share/vellmark/ when unset), created
// when missing. Ends with one '/'. Throws std::runtime_error when no home folder can be found.
const char* userDataPath();

// Creates the folder and every missing parent; a leading "~" stands for the home folder. Answers false,
// with the failing folder logged, when one cannot be created.
bool CreatePathIfNeeded(const char* path);

// Creates every folder that the preference list "dataDirs" names; done once at launch.
void CreateDataDirs();

} // namespace Ravel
