// The texts of the message types, made from the game's own table of types: the settings page's line, the
// log line and the box's heading, parts and buttons of each type. A key the fixed table already holds (the
// requests' answer windows) is left to it.
#include "message_texts.h"

#include <cctype>
#include <set>
#include <string>

#include "messages/message_handler.h"
#include "text_keys.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

// One type's English texts. The log line fills its "%s" with the strings after the first, in order; the
// box heading takes the first string and part 1 the others, as the log line does.
struct MessageText {
    const char* log;
    const char* heading;
};

// By type number.
const MessageText kMessageTexts[kMessageTypeCount] = {
    { "%s", "A word of counsel%s" },
    { "%s has declared war on us!", "%s" },
    { "An offer of peace has come", "An offer of peace%s" },
    { "%s accepts our terms of peace", "Peace%s" },
    { "%s rejects our terms of peace", "No peace%s" },
    { "%s has declared war on %s", "War: %s" },
    { "%s and %s have made peace: %s", "Peace%s" },
    { "%s has broken away from %s", "A new realm%s" },
    { "%s has been occupied by %s", "Land lost%s" },
    { "We lost a battle against %s at %s. %s", "Defeat%s" },
    { "We won a battle against %s at %s. %s", "Victory%s" },
    { "The levy %s leaves us at %s for %s", "A levy leaves%s" },
    { "The levies of %s are raised for %s", "Levies raised%s" },
    { "A call to arms has come", "A call to arms%s" },
    { "%s's call to arms is answered", "The host gathers%s" },
    { "%s's call to arms is refused", "The host stays home%s" },
    { "%s has been freed from %s", "Land freed%s" },
    { "Rebels have risen in %s", "Revolt%s" },
    { "%s has beaten %s at %s. %s", "A battle won by %s" },
    { "Our army has been destroyed in %s", "An army lost%s" },
    { "Our army has wasted away in %s", "An army wasted%s" },
    { "%s has arrived in %s", "Arrival%s" },
    { "Our men have slain %s, commander of %s", "A commander slain%s" },
    { "%s has slain our commander %s", "Our commander slain%s" },
    { "%s has died", "A death at court%s" },
    { "%s has died", "A death in the realm%s" },
    { "%s has died", "A death abroad%s" },
    { "%s inherits from %s: %s", "An inheritance%s" },
    { "%s inherits from %s: %s", "An inheritance in the realm%s" },
    { "%s inherits from %s: %s", "An inheritance abroad%s" },
    { "By %s, %s is with child", "A child is expected%s" },
    { "By %s, %s is with child", "A child is expected in the realm%s" },
    { "By %s, %s is with child", "A child is expected abroad%s" },
    { "%s has a child: %s, a %s. May God keep %s", "A birth%s" },
    { "%s has a child: %s, a %s. May God keep %s", "A birth in the realm%s" },
    { "%s has a child: %s, a %s. May God keep %s", "A birth abroad%s" },
    { "%s has died in childbirth", "A death in childbirth%s" },
    { "%s has lost her child", "A child lost%s" },
    { "%s is now %s", "A new trait%s" },
    { "%s is no longer %s", "A trait lost%s" },
    { "%s now has a claim on %s", "A new claim%s" },
    { "Work is finished in %s: %s", "Work finished%s" },
    { "An offer of lordship has come", "An offer of lordship%s" },
    { "%s's offer of lordship is accepted", "Lordship accepted%s" },
    { "%s's offer of lordship is accepted", "Lordship accepted%s" },
    { "%s's offer of lordship is accepted", "Lordship accepted%s" },
    { "%s's offer of lordship is declined", "Lordship declined%s" },
    { "%s's offer of lordship is declined", "Lordship declined%s" },
    { "%s's offer of lordship is declined", "Lordship declined%s" },
    { "An oath of fealty is offered", "An oath of fealty%s" },
    { "%s takes the oath of fealty", "Fealty sworn%s" },
    { "%s takes the oath of fealty", "Fealty sworn%s" },
    { "%s takes the oath of fealty", "Fealty sworn%s" },
    { "%s's oath of fealty is refused", "Fealty refused%s" },
    { "%s's oath of fealty is refused", "Fealty refused%s" },
    { "%s's oath of fealty is refused", "Fealty refused%s" },
    { "A proposal of marriage has come", "A proposal of marriage%s" },
    { "%s and %s are to be wed", "A marriage%s" },
    { "%s and %s are to be wed", "A marriage%s" },
    { "%s and %s are to be wed", "A marriage%s" },
    { "There will be no marriage of %s and %s", "No marriage%s" },
    { "There will be no marriage of %s and %s", "No marriage%s" },
    { "There will be no marriage of %s and %s", "No marriage%s" },
    { "A fosterling is offered", "A fosterling%s" },
    { "%s goes to be fostered", "A fosterling sent%s" },
    { "%s goes to be fostered", "A fosterling sent%s" },
    { "%s goes to be fostered", "A fosterling sent%s" },
    { "%s will not be fostered", "No fosterling%s" },
    { "%s will not be fostered", "No fosterling%s" },
    { "%s will not be fostered", "No fosterling%s" },
    { "%s returns home to %s", "A fosterling returns%s" },
    { "%s leaves us for %s", "A fosterling leaves%s" },
    { "An offer of peace has come", "An offer of peace%s" },
    { "%s's offer of peace is accepted", "Peace accepted%s" },
    { "%s's offer of peace is refused", "Peace refused%s" },
    { "A title is asked back", "A title revoked%s" },
    { "The title %s is given up", "A title given up%s" },
    { "The title %s is kept", "A title kept%s" },
    { "An alliance is offered", "An offer of alliance%s" },
    { "%s's offer of alliance is accepted", "An alliance%s" },
    { "%s's offer of alliance is refused", "No alliance%s" },
    { "%s is granted %s", "A title granted%s" },
    { "%s has seized %s %s", "A title seized%s" },
    { "%s has seized %s %s", "A title seized%s" },
    { "We have seized %s %s", "A title seized%s" },
    { "%s has usurped %s %s", "A title usurped%s" },
    { "%s has usurped %s %s", "A title usurped%s" },
    { "We have usurped %s %s", "A title usurped%s" },
    { "%s has pressed a claim to %s %s", "A claim pressed%s" },
    { "%s has pressed a claim to %s %s", "A claim pressed%s" },
    { "We have pressed our claim to %s %s", "A claim pressed%s" },
    { "%s is made bishop of %s", "A new bishopric%s" },
    { "We have declared war on %s", "War%s" },
    { "%s has taken %s from us", "A title taken%s" },
    { "Our plot against %s: %s", "A plot%s" },
    { "%s plotted against %s: %s", "A plot against us%s" },
    { "%s plotted against %s: %s", "A plot%s" },
    { "Our envoy to %s awaits an answer until %s", "An envoy sent%s" },
    { "%s is dead and %s holds the Holy See", "A new pope%s" },
    { "%s now controls the papacy", "The papacy%s" },
    { "A crusade has been called", "A crusade%s" },
    { "The crusade has failed", "The crusade failed%s" },
    { "The crusade has triumphed", "The crusade triumphed%s" },
};

std::string SetupLine(const char* stem)
{
    // Only English placeholders exist: the stem itself, in lower case after its first letter.
    std::string line = stem;
    for (std::size_t i = 1; i < line.size(); ++i)
        line[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])));
    return "Messages: " + line;
}

} // namespace

std::vector<GeneratedText> MessageSetupTexts()
{
    std::set<std::string> fixed;
    for (const TextKey& entry : TextKeys())
        fixed.insert(entry.key);
    std::vector<GeneratedText> texts;
    const auto add = [&](const std::string& key, const std::string& text) {
        if (fixed.count(key) == 0)
            texts.push_back({ "config\\text.csv", key, text });
    };
    for (const CMessType& type : CMessageHandler::_MessType) {
        const std::string stem = type.stem;
        const MessageText& text = kMessageTexts[type.type];
        add(stem + "_SETUP", SetupLine(type.stem));
        add(stem + "_LOG", text.log);
        // Every type can be put in a box on the settings page, so each has all seven box parts; part 2
        // left empty ends the joining.
        add(stem + "_HEADER", text.heading);
        add(stem + "_1", text.log);
        for (int part = 2; part <= 6; ++part)
            add(stem + "_" + std::to_string(part), "");
        add(stem + "_BTN1", "So be it");
        add(stem + "_BTN2", "Go there");
    }
    return texts;
}

} // namespace datagen
