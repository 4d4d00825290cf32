// The sound tests' scratch data folder and the system libraries' leaks that the sound device brings.
#include "sound/sound_scratch.h"

#include <sstream>

#include "foundation/scratch_data_folder.h"

#include "foundation/safeguards.h"

namespace sound_test {

const std::string& Folder()
{
    SetDataPath();
    return scratch::gFolder;
}

} // namespace sound_test
