// The sound tests' scratch data folder and the system libraries' leaks that the sound device brings.
#include "sound/sound_scratch.h"

#include <sstream>

#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace sound_test {

const std::string& Folder()
{
    SetDataPath();
    return support::gDataFolder;
}

} // namespace sound_test
