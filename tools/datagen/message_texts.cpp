// The message settings page's lines, made from the game's own table of message types.
#include "message_texts.h"

#include <cctype>
#include <string>

#include "messages/message_handler.h"

#include "foundation/safeguards.h"

namespace datagen {

std::vector<GeneratedText> MessageSetupTexts()
{
    std::vector<GeneratedText> texts;
    for (const CMessType& type : CMessageHandler::_MessType) {
        // Only English placeholders exist: the stem itself, in lower case after its first letter.
        std::string line = type.stem;
        for (std::size_t i = 1; i < line.size(); ++i)
            line[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])));
        texts.push_back({ "config\\text.csv", std::string(type.stem) + "_SETUP", "Messages: " + line });
    }
    return texts;
}

} // namespace datagen
