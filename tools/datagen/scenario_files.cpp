// The scenarios and the files every scenario includes: the dynasty file and the events file.
#include <string>

#include "data_writer.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

std::string Scenario(const char* nameKey, int startYear, int endYear)
{
    std::string s;
    s += "name = \"";
    s += nameKey;
    s += "\"\n";
    s += "header = {\n}\n\n";
    s += "globaldata = {\n";
    s += "    startdate = { year = " + std::to_string(startYear) + " month = january day = 0 }\n";
    s += "    enddate = { year = " + std::to_string(endYear) + " month = january day = 0 }\n";
    s += "}\n\n";
    s += "include = \"db\\dynasties.txt\"\n\n";
    s += "include = \"db\\events.txt\"\n";
    return s;
}

} // namespace

void WriteScenarioFiles(const Context& context)
{
    if (context.size == WorldSize::Tiny)
        WriteDataFile(context, "scenarios\\tiny.rzg", Scenario("SCENARIO_NAME_TINY", 1066, 1070));
    else
        WriteDataFile(context, "scenarios\\1066.rzg", Scenario("SCENARIO_NAME_1066", 1066, 1453));
    WriteDataFile(context, "db\\dynasties.txt", "# The noble families of the known world.\n");
    WriteDataFile(context, "db\\events.txt", "# The scripted events of the chronicle.\n");
}

} // namespace datagen
